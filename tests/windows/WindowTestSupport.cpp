#include "WindowTestSupport.h"

#include "DataEngine.h"
#include "EngineGlobals.h"
#include "LoaderMessages.h"
#include "ModalResults.h"
#include "StorageMessages.h"
#include "WaitingHooks.h"
#include "WindowStyle.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {
TMessageService* gMessages = nullptr;
}

TMessageService& Messages() {
    return *gMessages;
}

void WaitForLoadersServingMessages() {
    std::atomic<bool> done{false};
    std::thread waiter([&] {
        WaitForLoaders();
        done = true;
    });
    while (!done) {
        Messages().ServeLoaderMessages();
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    waiter.join();
}

void WindowTest::SetUp() {
    ASSERT_TRUE(FRoot.isValid());
    for (const char* folder : {"shared", "user", "program"})
        ASSERT_TRUE(QDir().mkpath(FRoot.filePath(QString::fromLatin1(folder))));
    qputenv("ProgramData", FRoot.filePath(QStringLiteral("shared")).toUtf8());
    qputenv("AppData", FRoot.filePath(QStringLiteral("user")).toUtf8());
    Messages().SetScript([this](const TMessageRequest& ARequest) {
        FRequests.push_back(ARequest);
        return ARequest.Kind == TMessageRequest::TKind::Question ? FAnswer : QMessageBox::Ok;
    });
    Restart();
    IsAdmin = 0;
    FullScreen = 0;
    ScrollBar = 0;
    SearchHistoryList->clear();
}

void WindowTest::Restart() {
    WaitForLoadersServingMessages();
    InitDataEngine();
    WaitForLoadersServingMessages();
    ProgramFolder = FRoot.filePath(QStringLiteral("program")) + QLatin1Char('/');
}

void WindowTest::TearDown() {
    WaitForLoadersServingMessages();
    Messages().SetScript({});
}

QStringList WindowTest::Shown() const {
    QStringList texts;
    for (const TMessageRequest& request : FRequests)
        texts << request.Text;
    return texts;
}

void WhenModalShows(std::function<void(QWidget*)> AStep) {
    auto started =
        std::make_shared<std::chrono::steady_clock::time_point>(std::chrono::steady_clock::now());
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [AStep, started, poll] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            QPointer<QWidget> guard(modal);
            AStep(modal);
            // A step that left its dialog open would hang the test: close it after a while.
            QTimer::singleShot(10000, [guard] {
                if (guard && guard->isVisible()) {
                    ADD_FAILURE() << "a modal window stayed open";
                    if (auto* dialog = qobject_cast<QDialog*>(guard.data()))
                        dialog->done(TSearchResult::Back);
                }
            });
            *poll = nullptr; // breaks the cycle of the shared pointers
            return;
        }
        if (std::chrono::steady_clock::now() - *started > std::chrono::seconds(10)) {
            ADD_FAILURE() << "no modal window appeared";
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(5, *poll);
    };
    QTimer::singleShot(0, *poll);
}

QString ProgramResource(const QString& AName) {
    return QStringLiteral(TABULON_WINDOW_RESOURCES "/") + AName;
}

void WriteFile(const QString& APath, const QByteArray& ABytes) {
    QFile file(APath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << APath.toStdString();
    file.write(ABytes);
}

QByteArray ReadFile(const QString& APath) {
    QFile file(APath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int main(int argc, char** argv) {
    // The windows are tested on a screen that shows them at their design size: the offscreen
    // platform's own screen (800 x 600) would open every one of them maximised. A test that is
    // about small screens names its own screen.
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TABULON_OFFSCREEN_SCREEN);
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    TMessageService messages;
    gMessages = &messages;
    TWindowWaitingHooks hooks(messages);
    SetLoaderMessageSink(messages.LoaderSink());
    SetWaitingHooks(&hooks);
    SetStorageMessageSink([&messages](const QString& AText) {
        messages.Information(QApplication::activeWindow(), AText);
    });
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // Answer whatever a loader may still wait on before waiting for the loaders.
    messages.Shutdown();
    WaitForLoaders();
    SetWaitingHooks(nullptr);
    SetLoaderMessageSink({});
    SetStorageMessageSink({});
    return result;
}
