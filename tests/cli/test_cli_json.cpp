// tabulon-cli --json on code, check, index, search and suggest, on the embedded sample data set:
// every document parses, holds the documented fields with the values the text form shows, and
// the exit status equals the text form's.
#include "CliTestRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>

namespace {

QStringList Args(std::initializer_list<const char*> AArgs) {
    QStringList args;
    for (const char* arg : AArgs)
        args << QString::fromUtf8(arg);
    return args;
}

QString Str(const QJsonObject& AObject, const char* AName) {
    return AObject.value(QLatin1String(AName)).toString();
}

QStringList Field(const QJsonArray& AArray, const char* AName) {
    QStringList values;
    for (const QJsonValue& value : AArray)
        values << value.toObject().value(QLatin1String(AName)).toString();
    return values;
}

class JsonOutput : public CliTest {
protected:
    // Runs the command with --json and parses its standard output as one JSON object.
    QJsonObject RunJson(const QStringList& AArgs, int AStatus, const QString& AInput = QString()) {
        QStringList args = AArgs;
        args.insert(1, QStringLiteral("--json"));
        const TCliResult r = Run(args, AInput);
        EXPECT_EQ(r.Status, AStatus) << Describe(args, r);
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(r.Out.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << Describe(args, r);
        EXPECT_TRUE(document.isObject()) << Describe(args, r);
        return document.object();
    }
};

TEST_F(JsonOutput, CodeHoldsTheCodeItsChainAndItsReportableCodes) {
    const QJsonObject o = RunJson(Args({"code", "s06.0x1a"}), 0);
    EXPECT_EQ(Str(o, "code"), QStringLiteral("S06.0X1A"));
    EXPECT_EQ(Str(o, "description"),
              QStringLiteral("Concussion with loss of consciousness of 30 minutes or less, initial encounter"));
    EXPECT_EQ(o.value(QStringLiteral("reportable")), QJsonValue(true));
    EXPECT_EQ(Str(o, "shortDescription"), QStringLiteral("Concussion with loss of consciousness of 30 minutes or less,"));
    const QJsonObject completes = o.value(QStringLiteral("completes")).toObject();
    EXPECT_EQ(Str(completes, "code"), QStringLiteral("S06.0X1"));
    EXPECT_EQ(Str(completes, "seventh"), QStringLiteral("A"));
    EXPECT_EQ(Str(completes, "seventhDescription"), QStringLiteral("initial encounter"));

    const QJsonArray chain = o.value(QStringLiteral("chain")).toArray();
    EXPECT_EQ(Field(chain, "level"), Args({"chapter", "section", "code", "code", "code", "code"}));
    EXPECT_EQ(Field(chain, "code"), Args({"(S06-T07)", "(S06-S06)", "S06", "S06.0", "S06.0X", "S06.0X1"}));
    EXPECT_EQ(chain[0].toObject().value(QStringLiteral("number")).toInt(), 3);
    const QJsonObject category = chain[2].toObject();
    EXPECT_EQ(Str(category, "title"), QStringLiteral("Intracranial injury"));
    const QJsonArray notes = category.value(QStringLiteral("notes")).toArray();
    ASSERT_FALSE(notes.isEmpty());
    EXPECT_EQ(Str(notes[0].toObject(), "heading"), QStringLiteral("CODE ALSO"));
    EXPECT_EQ(notes[0].toObject().value(QStringLiteral("lines")).toArray().first().toString(),
              QStringLiteral("any associated open wound of head (S01.-)"));
    const QJsonArray sevenths = category.value(QStringLiteral("seventhCharacters")).toArray();
    EXPECT_EQ(Field(sevenths, "character"), Args({"A", "D", "S"}));
    // D and S are not allowed when character 6 is 7 or 8.
    const QJsonArray none = sevenths[0].toObject().value(QStringLiteral("exceptions")).toArray();
    EXPECT_TRUE(none.isEmpty());
    for (int i : {1, 2}) {
        const QJsonArray rules = sevenths[i].toObject().value(QStringLiteral("exceptions")).toArray();
        ASSERT_EQ(rules.size(), 1) << i;
        EXPECT_EQ(rules[0].toObject().value(QStringLiteral("position")).toInt(), 6);
        EXPECT_EQ(rules[0].toObject().value(QStringLiteral("characters")).toArray(), QJsonArray({QStringLiteral("7"), QStringLiteral("8")}));
    }

    EXPECT_EQ(o.value(QStringLiteral("reportableCodeCount")).toInt(), 3);
    EXPECT_EQ(Field(o.value(QStringLiteral("reportableCodes")).toArray(), "code"),
              Args({"S06.0X1A", "S06.0X1D", "S06.0X1S"}));
}

TEST_F(JsonOutput, CodeOfAHeaderAndTheLimit) {
    const QJsonObject o = RunJson(Args({"code", "--limit", "2", "A01"}), 0);
    EXPECT_EQ(o.value(QStringLiteral("reportable")), QJsonValue(false));
    EXPECT_FALSE(o.contains(QStringLiteral("completes")));
    EXPECT_FALSE(o.contains(QStringLiteral("shortDescription")));
    EXPECT_EQ(o.value(QStringLiteral("reportableCodeCount")).toInt(), 3);
    EXPECT_EQ(Field(o.value(QStringLiteral("reportableCodes")).toArray(), "code"), Args({"A01.00", "A01.01"}));
}

TEST_F(JsonOutput, CheckListsEveryLineWithItsStatusAndTheCounts) {
    const QString input = QStringLiteral("code,description\nA00.0,x\nA01\n\nZ99.9\n");
    const QJsonObject o = RunJson(Args({"check", "-"}), 1, input);
    EXPECT_EQ(Str(o, "skippedHeader"), QStringLiteral("code,description"));
    const QJsonArray codes = o.value(QStringLiteral("codes")).toArray();
    EXPECT_EQ(Field(codes, "code"), Args({"A00.0", "A01", "Z99.9"}));
    EXPECT_EQ(Field(codes, "status"), Args({"reportable", "header", "unknown"}));
    EXPECT_EQ(Field(codes, "text"), Args({"Cholera due to Vibrio cholerae 01, biovar cholerae",
                                          "Typhoid and paratyphoid fevers", "not in the tabular list"}));
    QList<int> lines;
    for (const QJsonValue& row : codes)
        lines << row.toObject().value(QStringLiteral("line")).toInt();
    EXPECT_EQ(lines, (QList<int>{2, 3, 5}));
    const std::pair<const char*, int> counts[] = {{"total", 3}, {"reportable", 1}, {"headers", 1}, {"unknown", 1}};
    for (const auto& [name, count] : counts)
        EXPECT_EQ(o.value(QLatin1String(name)).toInt(-1), count) << name;

    const QJsonObject problems = RunJson(Args({"check", "--problems", "-"}), 1, input);
    EXPECT_EQ(Field(problems.value(QStringLiteral("codes")).toArray(), "code"), Args({"A01", "Z99.9"}));
    EXPECT_EQ(problems.value(QStringLiteral("total")).toInt(), 3);

    const QJsonObject good = RunJson(Args({"check", "-"}), 0, QStringLiteral("A00.9\nT07.XXXD\n"));
    EXPECT_FALSE(good.contains(QStringLiteral("skippedHeader")));
    EXPECT_EQ(good.value(QStringLiteral("reportable")).toInt(), 2);
}

TEST_F(JsonOutput, IndexTermsWithReferencesCellsAndSubTerms) {
    const QJsonObject typh = RunJson(Args({"index", "--depth", "1", "disease", "typh"}), 0);
    EXPECT_EQ(Str(typh, "index"), QStringLiteral("disease"));
    EXPECT_EQ(Str(typh, "title"), QStringLiteral("Index to diseases and injuries"));
    EXPECT_EQ(Str(typh, "prefix"), QStringLiteral("TYPH"));
    EXPECT_EQ(typh.value(QStringLiteral("total")).toInt(), 2);
    const QJsonArray terms = typh.value(QStringLiteral("terms")).toArray();
    ASSERT_EQ(terms.size(), 2);
    const QJsonObject typhoid = terms[0].toObject();
    EXPECT_EQ(Str(typhoid, "code"), QStringLiteral("A01.00"));
    EXPECT_EQ(typhoid.value(QStringLiteral("subTermCount")).toInt(), 2);
    EXPECT_EQ(Field(typhoid.value(QStringLiteral("subTerms")).toArray(), "code"), Args({"A01.02", "A01.01"}));
    const QJsonObject typhus = terms[1].toObject();
    EXPECT_EQ(Str(typhus, "see"), QStringLiteral("Typhoid"));
    EXPECT_FALSE(typhus.contains(QStringLiteral("code")));
    EXPECT_FALSE(typhus.contains(QStringLiteral("cells")));

    const QJsonObject drug = RunJson(Args({"index", "drug", "2-prop"}), 0);
    const QJsonArray drugTerms = drug.value(QStringLiteral("terms")).toArray();
    ASSERT_EQ(drugTerms.size(), 1);
    EXPECT_FALSE(drugTerms[0].toObject().contains(QStringLiteral("subTerms"))); // no --depth
    const QJsonArray cells = drugTerms[0].toObject().value(QStringLiteral("cells")).toArray();
    EXPECT_EQ(Field(cells, "code"), Args({"T51.2X1", "T51.2X2", "T51.2X3", "T51.2X4", "--", "--"}));
    EXPECT_EQ(Field(cells, "column").first(), QStringLiteral("Poisoning Accidental (unintentional)"));

    const QJsonObject none = RunJson(Args({"index", "disease", "xq"}), 1);
    EXPECT_EQ(none.value(QStringLiteral("total")).toInt(-1), 0);
    EXPECT_TRUE(none.value(QStringLiteral("terms")).toArray().isEmpty());
}

TEST_F(JsonOutput, SearchByKeywordsAndFullText) {
    const QJsonObject keywords = RunJson(Args({"search", "Salmonella,", "typhi"}), 0);
    EXPECT_EQ(Str(keywords, "mode"), QStringLiteral("keywords"));
    EXPECT_FALSE(keywords.contains(QStringLiteral("searchedIn")));
    const QJsonArray counts = keywords.value(QStringLiteral("keywords")).toArray();
    EXPECT_EQ(Field(counts, "keyword"), Args({"SALMONELLA", "TYPHI"}));
    EXPECT_EQ(counts[0].toObject().value(QStringLiteral("count")).toInt(), 2);
    EXPECT_EQ(Field(keywords.value(QStringLiteral("categories")).toArray(), "code"), Args({"A01", "A02"}));
    EXPECT_EQ(Field(keywords.value(QStringLiteral("categories")).toArray(), "description"),
              Args({"Typhoid and paratyphoid fevers", "Other salmonella infections"}));

    const QJsonObject fullText = RunJson(Args({"search", "--in", "exclude1,codefirst", "blindness,", "amaurosis"}), 0);
    EXPECT_EQ(Str(fullText, "mode"), QStringLiteral("fullText"));
    QStringList searched;
    for (const QJsonValue& name : fullText.value(QStringLiteral("searchedIn")).toArray())
        searched << name.toString();
    EXPECT_EQ(searched, Args({"codefirst", "exclude1"}));
    EXPECT_EQ(Field(fullText.value(QStringLiteral("categories")).toArray(), "code"), Args({"H54"}));

    // Nothing found: the counts are still there.
    const QJsonObject none = RunJson(Args({"search", "myelitis"}), 1);
    EXPECT_TRUE(none.value(QStringLiteral("categories")).toArray().isEmpty());
    EXPECT_EQ(Field(none.value(QStringLiteral("keywords")).toArray(), "keyword"), Args({"MYELITIS"}));
}

TEST_F(JsonOutput, SuggestListsEverySuggestion) {
    struct Case {
        QStringList Args;
        int Status;
        QStringList Earlier;
        QStringList Suggestions;
    };
    const Case cases[] = {
        {Args({"suggest", "in"}), 0, {},
         Args({"Infection", "Infections", "Injuries", "Injury", "Intracranial", "Involvement"})},
        {Args({"suggest", "typhoid,", "in"}), 0, Args({"TYPHOID"}), Args({"Infection", "Involvement"})},
        {Args({"suggest", "--full-text", "typhoid,", "INJ"}), 0, Args({"TYPHOID"}), Args({"Injuries", "Injury"})},
        {Args({"suggest", "zz"}), 1, {}, {}},
    };
    for (const Case& c : cases) {
        const QJsonObject o = RunJson(c.Args, c.Status);
        QStringList earlier, suggestions;
        for (const QJsonValue& v : o.value(QStringLiteral("earlierKeywords")).toArray())
            earlier << v.toString();
        for (const QJsonValue& v : o.value(QStringLiteral("suggestions")).toArray())
            suggestions << v.toString();
        EXPECT_EQ(earlier, c.Earlier) << c.Args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(suggestions, c.Suggestions) << c.Args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(Str(o, "partial"), c.Args.last());
        EXPECT_EQ(o.value(QStringLiteral("fullText")).toBool(), c.Args.contains(QStringLiteral("--full-text")));
        EXPECT_EQ(o.value(QStringLiteral("pageSize")).toInt(), 40);
    }
}

// --json changes the form of the output, never the exit status; usage errors and codes that
// are not there write no document.
TEST_F(JsonOutput, ExitStatusEqualsTheTextForm) {
    const QStringList commands[] = {
        Args({"code", "A01.02"}),         Args({"code", "Z99"}),        Args({"code", "hello"}),
        Args({"code", "S06.0X7D"}),       Args({"code"}),               Args({"index", "drug", "2-prop"}),
        Args({"index", "disease", "xq"}), Args({"index", "bogus", "x"}), Args({"search", "typhi"}),
        Args({"search", "myelitis"}),     Args({"search", "--fast", "x"}), Args({"suggest", "in"}),
        Args({"suggest", "zz"}),          Args({"suggest", "typhoid,"}), Args({"check", "/nonexistent/codes"}),
    };
    for (const QStringList& text : commands) {
        QStringList json = text;
        json.insert(1, QStringLiteral("--json"));
        const TCliResult textRun = Run(text);
        const TCliResult jsonRun = Run(json);
        EXPECT_EQ(jsonRun.Status, textRun.Status) << Describe(json, jsonRun);
        const bool document = textRun.Status == 0 || (textRun.Status == 1 && text.first() != QLatin1String("code"));
        if (document) {
            EXPECT_TRUE(QJsonDocument::fromJson(jsonRun.Out.toUtf8()).isObject()) << Describe(json, jsonRun);
        } else {
            EXPECT_EQ(jsonRun.Out, QString()) << Describe(json, jsonRun);
        }
    }
}

} // namespace
