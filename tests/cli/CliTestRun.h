// Runs tabulon-cli commands in-process on the embedded sample data set and keeps what they wrote.
#pragma once

#include "CliCommands.h"
#include "DataEngine.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

struct TCliResult {
    int Status = -1;
    QString Out;
    QString Err;
};

// Readable failure output: the command line and what it wrote.
inline std::string Describe(const QStringList& AArgs, const TCliResult& AResult) {
    return (AArgs.join(QLatin1Char(' ')) + QStringLiteral("\n--- out:\n") + AResult.Out +
            QStringLiteral("--- err:\n") + AResult.Err)
        .toStdString();
}

class CliTest : public testing::Test {
protected:
    void SetUp() override {
        qputenv("ProgramData", FRoot.path().toUtf8());
        qputenv("AppData", FRoot.path().toUtf8());
    }
    // A command waits only for the data it needs; the other loaders finish before the next test
    // (and before the process ends) so that none outlives what it reads.
    void TearDown() override { WaitForLoaders(); }
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
    // Commands that must succeed and write exactly Out, with nothing on the error stream.
    template <class TCase> void ExpectOutputs(const TCase& ACases) {
        for (const auto& c : ACases) {
            const TCliResult r = Run(c.Args);
            EXPECT_EQ(r.Status, 0) << Describe(c.Args, r);
            EXPECT_EQ(r.Out, QString::fromUtf8(c.Out)) << Describe(c.Args, r);
            EXPECT_EQ(r.Err, QString()) << Describe(c.Args, r);
        }
    }
    // Commands that must end with Status, write nothing to standard output and begin their
    // error text with Message.
    template <class TCase> void ExpectFailures(const TCase& ACases) {
        for (const auto& c : ACases) {
            const TCliResult r = Run(c.Args);
            EXPECT_EQ(r.Status, c.Status) << Describe(c.Args, r);
            EXPECT_TRUE(r.Err.startsWith(QLatin1String(c.Message))) << Describe(c.Args, r);
            EXPECT_EQ(r.Out, QString()) << Describe(c.Args, r);
        }
    }
    QTemporaryDir FRoot;
};

// One case of ExpectOutputs and of ExpectFailures.
struct TCliOutputCase {
    QStringList Args;
    const char* Out;
};
struct TCliFailureCase {
    QStringList Args;
    int Status;
    const char* Message;
};

