#include "AdminFiles.h"

#include "TextLines.h"

#include <QFile>

std::optional<QStringList> ReadAdminLines(const QString& AFile, TAdminOutcome& AOutcome) {
    QFile file(AFile);
    if (!file.open(QIODevice::ReadOnly)) {
        AOutcome = TAdminOutcome::NotOpened(
            QStringLiteral("cannot open %1: %2").arg(AFile, file.errorString()));
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        AOutcome = TAdminOutcome::Failed(
            QStringLiteral("cannot read %1: %2").arg(AFile, file.errorString()));
        return std::nullopt;
    }
    return DecodeTextLines(bytes);
}

bool TAdminOutput::Open() {
    if (FFile.open(QIODevice::WriteOnly))
        return true;
    FError = QStringLiteral("cannot create %1: %2").arg(FFile.fileName(), FFile.errorString());
    return false;
}

void TAdminOutput::WriteLine(const QString& ALine) {
    const QByteArray bytes = (ALine + QLatin1String("\r\n")).toUtf8();
    // QSaveFile remembers a failed write and refuses the commit; the first reason is kept.
    if (FFile.write(bytes) != bytes.size() && FError.isEmpty())
        FError = QStringLiteral("cannot write %1: %2").arg(FFile.fileName(), FFile.errorString());
}

void TAdminOutput::WriteLines(const QStringList& ALines) {
    for (const QString& line : ALines)
        WriteLine(line);
}

bool TAdminOutput::Commit() {
    if (FFile.commit())
        return true;
    if (FError.isEmpty())
        FError = QStringLiteral("cannot write %1: %2").arg(FFile.fileName(), FFile.errorString());
    return false;
}

QString TAdminOutput::Error() const { return FError; }

TAdminOutcome WriteAdminLines(const QString& AFile, const QStringList& ALines) {
    TAdminOutput out(AFile);
    if (!out.Open())
        return TAdminOutcome::NotOpened(out.Error());
    out.WriteLines(ALines);
    if (!out.Commit())
        return TAdminOutcome::Failed(out.Error());
    return {};
}
