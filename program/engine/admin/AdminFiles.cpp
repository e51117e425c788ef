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
    if (!FError.isEmpty())
        return; // the file is lost already; the first reason is kept
    const QByteArray bytes = (ALine + QLatin1String("\r\n")).toUtf8();
    if (FFile.write(bytes) != bytes.size())
        FError = QStringLiteral("cannot write %1: %2").arg(FFile.fileName(), WriteErrorText(FFile));
}

void TAdminOutput::WriteLines(const QStringList& ALines) {
    for (const QString& line : ALines)
        WriteLine(line);
}

bool TAdminOutput::Commit() {
    // A short write (a full disk or a file-size limit) sets no error on the device, so
    // QSaveFile would put the truncated file in place: it is discarded here instead.
    // The last bytes still wait in the buffer; QSaveFile::commit does not see a write that fails
    // while it empties it, so the buffer is emptied and checked here first.
    if (FError.isEmpty() && !FFile.flush())
        FError = QStringLiteral("cannot write %1: %2").arg(FFile.fileName(), WriteErrorText(FFile));
    if (!FError.isEmpty()) {
        FFile.cancelWriting();
        return false;
    }
    if (FFile.commit())
        return true;
    FError = QStringLiteral("cannot write %1: %2").arg(FFile.fileName(), WriteErrorText(FFile));
    return false;
}

QString TAdminOutput::Error() const { return FError; }

TAdminOutcome CommitAll(const std::vector<TAdminOutput*>& AOutputs) {
    for (TAdminOutput* output : AOutputs)
        if (output && !output->Error().isEmpty())
            return TAdminOutcome::Failed(output->Error());
    for (TAdminOutput* output : AOutputs)
        if (output && !output->Commit())
            return TAdminOutcome::Failed(output->Error());
    return {};
}

TAdminOutcome WriteAdminLines(const QString& AFile, const QStringList& ALines) {
    TAdminOutput out(AFile);
    if (!out.Open())
        return TAdminOutcome::NotOpened(out.Error());
    out.WriteLines(ALines);
    if (!out.Commit())
        return TAdminOutcome::Failed(out.Error());
    return {};
}
