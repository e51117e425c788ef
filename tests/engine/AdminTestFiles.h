// Small files for the tests of the administrator operations.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Writes AText as it stands to ADir/AName and returns the path.
inline QString WriteAdminText(const QTemporaryDir& ADir, const char* AName, const QByteArray& AText) {
    const QString path = ADir.filePath(QLatin1String(AName));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(AText);
    return path;
}

inline QByteArray ReadAdminBytes(const QString& APath) {
    QFile file(APath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The lines of an output file, which must be UTF-8 without a byte-order mark with every line
// ended by CR LF and no bare LF.
inline QStringList ReadAdminOutput(const QString& APath) {
    const QByteArray bytes = ReadAdminBytes(APath);
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF")) << APath.toStdString();
    EXPECT_TRUE(bytes.isEmpty() || bytes.endsWith("\r\n")) << APath.toStdString();
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n")) << APath.toStdString();
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}
