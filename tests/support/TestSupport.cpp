#include "TestSupport.h"

#include "Compression.h"
#include "LoaderMessages.h"
#include "StorageMessages.h"

#include <QFile>

#include <memory>
#include <mutex>

void PutDataSet(TDataSet AId, const std::string& ADocument) {
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(ADocument.data()),
                                 ADocument.size());
    PutResourceStream(AId, std::make_unique<TResourceStream>(DeflateZlib(bytes)));
}

std::string ReadOfficialFile(const QString& AName) {
    QFile file(QStringLiteral(TABULON_TEST_DATA_DIR "/") + AName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

namespace {
std::mutex gRecordedMutex;
QStringList gRecorded;
} // namespace

TMessageRecorder::TMessageRecorder() {
    {
        std::lock_guard lock(gRecordedMutex);
        gRecorded.clear();
    }
    SetLoaderMessageSink([](const QString& AText) {
        std::lock_guard lock(gRecordedMutex);
        gRecorded << AText;
    });
}

TMessageRecorder::~TMessageRecorder() { SetLoaderMessageSink({}); }

QStringList TMessageRecorder::Messages() const {
    std::lock_guard lock(gRecordedMutex);
    return gRecorded;
}

std::string TabularDocument(const std::string& AChapters) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<ICD10CM.tabular>\n"
           "<version>2023</version>\n" +
           AChapters + "\n</ICD10CM.tabular>\n";
}

TStorageMessageRecorder::TStorageMessageRecorder() {
    ForgetReportedStorageFailures();
    SetStorageMessageSink([this](const QString& AText) { FMessages << AText; });
}

TStorageMessageRecorder::~TStorageMessageRecorder() {
    SetStorageMessageSink({});
    ForgetReportedStorageFailures();
}
