// The INI reader and writer: parsing what hand editors and other programs
// leave behind, editing one section while keeping the rest, and refusing to
// let a value break the file's structure.
#include "app/IniFile.h"

#include "OptionsTestSupport.h"

#include <QTest>
#include <filesystem>
#include <stdexcept>

class IniFileTest : public QObject {
    Q_OBJECT

private slots:
    void readsValuesWhateverTheLineEnds();
    void editingOneSectionKeepsTheOthers();
    void valuesCannotInjectLines();
    void loadsMissingFilesEmptyAndRefusesOthers();
    void parsesIntegers();
};

void IniFileTest::readsValuesWhateverTheLineEnds() {
    struct Case {
        const char* text;
        const char* section;
        const char* key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"[A]\r\nk=1\r\n", "A", "k", "1"},
        {"[A]\nk=1\n", "A", "k", "1"},
        {"[A]\rk=1\r", "A", "k", "1"},
        {"[A]\r\nk=1", "A", "k", "1"},
        {"\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "k", "1"},
        {"[options]\r\nrunmaximized=True\r\n", "OPTIONS", "RunMaximized", "True"},
        {"  [ A ]  \r\n  key  =  spaced value \r\n", "A", "key", "  spaced value "},
        {"[A]\r\nk=\r\n", "A", "k", ""},
        {"[A]\r\nk=a=b\r\n", "A", "k", "a=b"},
        {"[A]\r\nk=first\r\nK=second\r\n", "A", "k", "first"},
        {"[A]\r\nk=1\r\n[A]\r\nk=2\r\nj=3\r\n", "A", "j", std::nullopt},
        {"k=1\r\n[A]\r\n", "A", "k", std::nullopt},
        {"[A]\r\n;k=1\r\n", "A", ";k", std::nullopt},
        {"[A]\r\nno equals sign\r\n", "A", "no equals sign", std::nullopt},
        {"[A]\r\n=1\r\n", "A", "", std::nullopt},
        {"[Unclosed\r\nk=1\r\n", "Unclosed", "k", "1"},
        {"[A]\r\nk=1\r\n", "B", "k", std::nullopt},
        {"[Options\\Sub]\r\nLine0=x\r\n", "options\\sub", "line0", "x"},
        {"", "A", "k", std::nullopt},
    };
    for (const Case& c : cases) {
        const TIniFile file = TIniFile::fromText(c.text);
        QVERIFY2(file.value(c.section, c.key) == c.value, c.text);
    }
    QVERIFY(TIniFile::fromText("[A]\r\n").hasSection("a"));
    QVERIFY(!TIniFile::fromText("[A]\r\n").hasSection("A\\B"));
}

void IniFileTest::editingOneSectionKeepsTheOthers() {
    TIniFile file = TIniFile::fromText("; made by hand\n"
                                       "[First]\n"
                                       "; a comment\n"
                                       "Keep = as it is \n"
                                       "\n"
                                       "[Options]\n"
                                       "Old=1\n"
                                       "[Last]\n"
                                       "x=y\n"
                                       "[options]\n"
                                       "Duplicate=1\n");
    file.eraseSection("OPTIONS");
    file.setValue("Options", "B", "2");
    file.setValue("Options", "A", "");
    file.setValue("options", "b", "3");
    file.setValue("Last", "X", "z");
    file.addSection("Empty");
    file.addSection("empty");
    QCOMPARE(QByteArray::fromStdString(file.toText()), QByteArray("; made by hand\r\n"
                                                                  "\r\n"
                                                                  "[First]\r\n"
                                                                  "; a comment\r\n"
                                                                  "Keep = as it is \r\n"
                                                                  "\r\n"
                                                                  "[Last]\r\n"
                                                                  "x=z\r\n"
                                                                  "\r\n"
                                                                  "[Options]\r\n"
                                                                  "B=3\r\n"
                                                                  "A=\r\n"
                                                                  "\r\n"
                                                                  "[Empty]\r\n"));
    // What is written reads back the same.
    const TIniFile again = TIniFile::fromText(file.toText());
    QCOMPARE(again.toText(), file.toText());
    QCOMPARE(again.sectionNames(), (std::vector<std::string>{"First", "Last", "Options", "Empty"}));
}

void IniFileTest::valuesCannotInjectLines() {
    TIniFile file;
    file.setValue("Options", "MRU1", "/songs/a\r\n[Options]\r\nRunMaximized=False");
    file.setValue("Options", "MRU2", "/songs/b\nc");
    const TIniFile again = TIniFile::fromText(file.toText());
    QCOMPARE(again.value("Options", "MRU1"), std::optional<std::string>(""));
    QCOMPARE(again.value("Options", "MRU2"), std::optional<std::string>(""));
    QCOMPARE(again.value("Options", "RunMaximized"), std::optional<std::string>());
    QCOMPARE(again.sectionNames().size(), size_t{1});

    for (const char* key : {"", "a=b", "a\nb", " a", "[a", ";a"}) {
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, file.setValue("Options", key, "v"));
    }
    for (const char* section : {"", "a]b", "a\r\nb", "a "}) {
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, file.setValue(section, "k", "v"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, file.addSection(section));
    }
}

void IniFileTest::loadsMissingFilesEmptyAndRefusesOthers() {
    const TTestFolder folder;
    QCOMPARE(TIniFile::load(folder.file("missing.ini")).toText(), std::string());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, TIniFile::load(folder.path()));

    const std::string large = folder.file("large.ini");
    writeBytes(large, QByteArray(static_cast<qsizetype>(TIniFile::MaxFileSize) + 1, 'x'));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, TIniFile::load(large));

    TIniFile file;
    file.setValue("A", "k", "v");
    const std::string path = folder.file("saved.ini");
    file.save(path);
    QCOMPARE(readBytes(path), QByteArray("[A]\r\nk=v\r\n"));
    QCOMPARE(TIniFile::load(path).value("a", "K"), std::optional<std::string>("v"));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, file.save(folder.file("no/such/folder.ini")));
}

void IniFileTest::parsesIntegers() {
    struct Case {
        const char* text;
        std::optional<int64_t> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {" -17 ", -17},
        {"+5", 5},
        {"0x1F", 31},
        {"0XfF", 255},
        {"$1f", 31},
        {"-$10", -16},
        {"9223372036854775807", INT64_MAX},
        {"-9223372036854775808", INT64_MIN},
        {"9223372036854775808", std::nullopt},
        {"$8000000000000000", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"0x", std::nullopt},
        {"$", std::nullopt},
        {"12a", std::nullopt},
        {"1 2", std::nullopt},
        {"1.0", std::nullopt},
        {"True", std::nullopt},
    };
    for (const Case& c : cases) {
        QVERIFY2(parseIniInteger(c.text) == c.value, c.text);
    }
}

int runIniFileTests(int argc, char** argv) {
    IniFileTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "IniFileTest.moc"
