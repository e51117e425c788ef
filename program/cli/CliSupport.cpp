#include "CliSupport.h"

#include "DataEngine.h"

#include <algorithm>

void StartEngineFor(std::initializer_list<TLoaderJob> AJobs) {
    InitDataEngine();
    const auto& threads = BuildThreads();
    for (TLoaderJob job : AJobs)
        threads[static_cast<std::size_t>(job)]->WaitFor();
}

bool RequireLoaded(const TLoadState& AState, const char* AName, QTextStream& AErr) {
    if (ReadState(AState) == LoadDone)
        return true;
    AErr << kCliPrefix << "the " << AName << " failed to load\n";
    return false;
}

namespace {
bool IsCodeChar(QChar AChar) {
    const char16_t c = AChar.unicode();
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || c == u'-';
}
} // namespace

QString AsciiUpper(const QString& AText) {
    QString result = AText;
    for (QChar& c : result)
        if (c.unicode() >= u'a' && c.unicode() <= u'z')
            c = QChar(c.unicode() - 32);
    return result;
}

QString NormalizeCodeText(const QString& AText) {
    QString code = AsciiUpper(AText.trimmed());
    // Claims data and the published order file write codes without their point. Only text shaped
    // like such a code gets one (a letter, a digit, then code characters), so that words stay
    // words: HELLO is not read as HEL.LO.
    const auto letter = [](QChar c) { return c.unicode() >= u'A' && c.unicode() <= u'Z'; };
    const auto digit = [](QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; };
    if (code.size() > 3 && code.size() <= 8 && code[3] != QLatin1Char('.') && letter(code[0]) &&
        digit(code[1]) && std::all_of(code.cbegin(), code.cend(), IsCodeChar))
        code.insert(3, QLatin1Char('.'));
    return code;
}

bool TakeCountOption(QStringList& AArgs, const QString& AName, int& AValue, QString& AError) {
    const QString flag = QStringLiteral("--") + AName;
    for (qsizetype i = 0; i < AArgs.size(); ++i) {
        QString text;
        qsizetype taken = 1;
        if (AArgs[i] == flag) {
            if (i + 1 >= AArgs.size()) {
                AError = flag + QStringLiteral(" needs a number");
                return false;
            }
            text = AArgs[i + 1];
            taken = 2;
        } else if (AArgs[i].startsWith(flag + QLatin1Char('='))) {
            text = AArgs[i].mid(flag.size() + 1);
        } else {
            continue;
        }
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok || value < 0) {
            AError = flag + QStringLiteral(" needs a number of 0 or more, not \"") + text + QLatin1Char('"');
            return false;
        }
        AValue = value;
        AArgs.remove(i, taken);
        --i;
    }
    return true;
}
