// Runs tabulon-cli commands in-process on the embedded sample data set and keeps what they wrote.
#pragma once

#include "CliCommands.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

struct TCliResult {
    int Status = -1;
    QString Out;
    QString Err;
};

class CliTest : public testing::Test {
protected:
    void SetUp() override {
        qputenv("ProgramData", FRoot.path().toUtf8());
        qputenv("AppData", FRoot.path().toUtf8());
    }
    // AInput is what "check -" reads as standard input.
    TCliResult Run(const QStringList& AArgs, const QString& AInput = QString()) {
        TCliResult result;
        QString input = AInput;
        QTextStream in(&input, QIODevice::ReadOnly), out(&result.Out), err(&result.Err);
        result.Status = RunCliCommand(AArgs, in, out, err);
        out.flush();
        err.flush();
        return result;
    }
    QTemporaryDir FRoot;
};

// Readable failure output: the command line and what it wrote.
inline std::string Describe(const QStringList& AArgs, const TCliResult& AResult) {
    return (AArgs.join(QLatin1Char(' ')) + QStringLiteral("\n--- out:\n") + AResult.Out +
            QStringLiteral("--- err:\n") + AResult.Err)
        .toStdString();
}
