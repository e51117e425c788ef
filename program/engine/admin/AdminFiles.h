// The files of the administrator operations: inputs read whole as text lines, outputs written
// as UTF-8 without a byte-order mark, every line ended by CR LF, each output created anew.
//
// An output is written to a temporary file beside its name and put in place only when every
// line was written: an operation that fails half-way leaves no truncated file behind, and an
// earlier file of that name stays as it was.
#pragma once

#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

// How an operation ended. NotOpened: an input could not be read or an output could not be
// created at the start, nothing was written. Failed: a later read or write error stopped it.
enum class TAdminStatus { Done, NotOpened, Failed };

struct TAdminOutcome {
    TAdminStatus Status = TAdminStatus::Done;
    QString Error; // why, when not Done
    bool Ok() const { return Status == TAdminStatus::Done; }
    explicit operator bool() const { return Ok(); }
    static TAdminOutcome NotOpened(const QString& AWhy) { return {TAdminStatus::NotOpened, AWhy}; }
    static TAdminOutcome Failed(const QString& AWhy) { return {TAdminStatus::Failed, AWhy}; }
};

// Receives the messages an operation shows one by one while it runs (a box each in the window).
using TAdminMessages = std::function<void(const QString& AText)>;

// The lines of AFile, decoded as TextLines.h says. Nothing when the file cannot be opened
// (AOutcome NotOpened) or a read fails after it was opened (AOutcome Failed).
std::optional<QStringList> ReadAdminLines(const QString& AFile, TAdminOutcome& AOutcome);

// One output file of an operation.
class TAdminOutput {
public:
    explicit TAdminOutput(const QString& AFile) : FFile(AFile) {}
    // Creates the temporary file; false (reason in Error()) when that is impossible.
    bool Open();
    void WriteLine(const QString& ALine);
    void WriteLines(const QStringList& ALines);
    // Puts the file in place; false, discarding it, when any write failed (a short write
    // included) or the rename failed.
    bool Commit();
    QString Error() const;
    QString FileName() const { return FFile.fileName(); }

private:
    QSaveFile FFile;
    QString FError;
};

// Puts every output of AOutputs in place (null entries are skipped), or none of them when a write
// to any has failed, so that a set of files written together is never left half old and half
// new. Failed with the first reason otherwise.
TAdminOutcome CommitAll(const std::vector<TAdminOutput*>& AOutputs);

// Writes ALines to AFile in one go (open, write, commit).
TAdminOutcome WriteAdminLines(const QString& AFile, const QStringList& ALines);
