#include "platform/Xml.h"

#include "support/FullDisk.h"
#include "support/FullFileSystem.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace platform::xml;

TEST(XmlWriter, ProjectFileHasNoDeclarationAndVersionCommentAfterRoot)
{
    Document doc;
    // A stale document must not leak into the new file.
    ASSERT_TRUE(doc.loadBytes("<?xml version=\"1.0\"?><Old><x>1</x></Old>"));
    pugi::xml_node root = doc.startProject("Par_Gen");
    addChild(root, "IP1", "192");
    addFlag(root, "DHCP", true);
    addFlag(root, "Auto", false);
    addChild(root, "Empty");
    pugi::xml_node table = addChild(root, "Table");
    pugi::xml_node row = addChild(table, "row");
    setAttr(row, "Name", QString::fromUtf8("T\u00e9mp <1 & \"2\""));
    setAttr(row, "Enable", "Y");

    EXPECT_EQ(doc.toBytes(), QByteArray("<Par_Gen>\n"
                                        "\t<IP1>192</IP1>\n"
                                        "\t<DHCP>1</DHCP>\n"
                                        "\t<Auto>0</Auto>\n"
                                        "\t<Empty />\n"
                                        "\t<Table>\n"
                                        "\t\t<row Name=\"T\xC3\xA9mp &lt;1 &amp; &quot;2&quot;\" Enable=\"Y\" />\n"
                                        "\t</Table>\n"
                                        "</Par_Gen>\n"
                                        "<!--SW_VERSION = 1.000-->\n"));
}

TEST(XmlWriter, PlainDocumentHasRootOnly)
{
    Document doc;
    pugi::xml_node root = doc.startPlain("Conf_Settings");
    addChild(addChild(root, "lastproj"), "projectname", "P1");
    EXPECT_EQ(doc.toBytes(), QByteArray("<Conf_Settings>\n"
                                        "\t<lastproj>\n"
                                        "\t\t<projectname>P1</projectname>\n"
                                        "\t</lastproj>\n"
                                        "</Conf_Settings>\n"));
}

TEST(XmlWriter, SaveReplacesWholeFileAndReadsBack)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("ParGen.xml");
    ASSERT_TRUE(testsupport::writeFile(path, QByteArray(4096, 'z')));

    Document doc;
    pugi::xml_node root = doc.startProject("Par_Gen");
    addChild(root, "Name", QString::fromUtf8("\u20ac \u00fc"));
    ASSERT_TRUE(doc.save(path));
    EXPECT_EQ(testsupport::readFile(path), doc.toBytes());

    Document back;
    ASSERT_TRUE(back.load(path));
    EXPECT_EQ(QString::fromUtf8(back.root().name()), "Par_Gen");
    EXPECT_EQ(childText(back.root(), "Name"), QString::fromUtf8("\u20ac \u00fc"));
}

TEST(XmlWriter, SaveIntoMissingFolderFails)
{
    QTemporaryDir tmp;
    Document doc;
    doc.startProject("R");
    QString error;
    EXPECT_FALSE(doc.save(tmp.filePath("no/such/folder/R.xml"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(XmlReader, RootIsFirstElementWhateverComesBefore)
{
    struct Case {
        const char* name;
        const char* bytes;
    } cases[] = {
        {"plain", "<Par_Gen><A>1</A></Par_Gen>"},
        {"declaration", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Par_Gen><A>1</A></Par_Gen>"},
        {"declaration and comments",
         "<?xml version=\"1.0\"?>\n<!-- saved by another tool -->\n\n  <!--x--><Par_Gen><A>1</A></Par_Gen>"},
        {"processing instruction", "<?xml-stylesheet href=\"a.xsl\"?><Par_Gen><A>1</A></Par_Gen>"},
        {"written by us", "<Par_Gen>\n\t<A>1</A>\n</Par_Gen>\n<!--SW_VERSION = 1.000-->\n"},
        {"UTF-8 mark", "\xEF\xBB\xBF<Par_Gen><A>1</A></Par_Gen>"},
    };
    for (const Case& c : cases) {
        Document doc;
        ASSERT_TRUE(doc.loadBytes(c.bytes)) << c.name;
        EXPECT_STREQ(doc.root().name(), "Par_Gen") << c.name;
        EXPECT_EQ(childText(doc.root(), "A"), "1") << c.name;
        EXPECT_TRUE(childFlag(doc.root(), "A")) << c.name;
    }
}

TEST(XmlReader, RootNameIsNotChecked)
{
    Document doc;
    ASSERT_TRUE(doc.loadBytes("<Something_Else><A>x</A></Something_Else>"));
    EXPECT_EQ(childText(doc.root(), "A"), "x");
}

TEST(XmlReader, ChildIsFirstElementWithExactName)
{
    Document doc;
    ASSERT_TRUE(doc.loadBytes("<R><!--A--><a>lower</a><A>first</A><A>second</A><B><A>nested</A></B></R>"));
    const pugi::xml_node root = doc.root();
    EXPECT_EQ(text(child(root, "A")), "first");
    EXPECT_EQ(text(child(root, "a")), "lower");
    EXPECT_EQ(childText(child(root, "B"), "A"), "nested");
    EXPECT_FALSE(child(root, "C"));
    EXPECT_FALSE(child(child(root, "C"), "A")); // empty parent gives empty node
    EXPECT_EQ(childText(root, "C", "default"), "default");
    EXPECT_EQ(text(child(root, "C")), "");
}

TEST(XmlReader, EmptyElementGivesEmptyTextNotDefault)
{
    Document doc;
    ASSERT_TRUE(doc.loadBytes("<R><E/><F></F></R>"));
    EXPECT_EQ(childText(doc.root(), "E", "def"), "");
    EXPECT_EQ(childText(doc.root(), "F", "def"), "");
}

TEST(XmlReader, FlagOnlyForExactOne)
{
    struct Case {
        const char* element;
        bool set;
    } cases[] = {
        {"<F>1</F>", true},     {"<F>0</F>", false}, {"<F> 1</F>", false}, {"<F>1 </F>", false}, {"<F>01</F>", false},
        {"<F>true</F>", false}, {"<F>Y</F>", false}, {"<F>2</F>", false},  {"<F/>", false},      {"", false}, // missing
    };
    for (const Case& c : cases) {
        Document doc;
        ASSERT_TRUE(doc.loadBytes(QByteArray("<R>") + c.element + "</R>")) << c.element;
        EXPECT_EQ(childFlag(doc.root(), "F"), c.set) << c.element;
    }
}

TEST(XmlReader, AttributesWithAndWithoutDefault)
{
    Document doc;
    ASSERT_TRUE(doc.loadBytes("<R><row ID=\"5\" Name=\"\" Text=\"a &amp; b\"/></R>"));
    const pugi::xml_node row = child(doc.root(), "row");
    EXPECT_EQ(attr(row, "ID", "-1"), "5");
    EXPECT_EQ(attr(row, "Name", "def"), ""); // present but empty
    EXPECT_EQ(attr(row, "Missing", "def"), "def");
    EXPECT_EQ(attr(row, "Text", ""), "a & b");
    EXPECT_EQ(attrRequired(row, "ID"), "5");
    EXPECT_EQ(attrRequired(row, "Name"), "");
    EXPECT_THROW(attrRequired(row, "NB_IN"), XmlError);
    try {
        attrRequired(row, "NB_IN");
    } catch (const XmlError& e) {
        EXPECT_NE(std::string(e.what()).find("NB_IN"), std::string::npos);
    }
}

TEST(XmlReader, MalformedOrMissingFileFails)
{
    QTemporaryDir tmp;
    struct Case {
        const char* name;
        const char* bytes;
    } cases[] = {
        {"unclosed", "<R><A>1</A>"},
        {"mismatched", "<R><A>1</B></R>"},
        {"two roots", "<R/><S/>"},
        {"text after root", "<R/>junk"},
        {"text before root", "junk<R/>"},
        {"CDATA beside root", "<R/><![CDATA[x]]>"},
        {"empty", ""},
        {"blanks only", " \r\n "},
        {"comment only", "<!--SW_VERSION = 1.000-->"},
        {"text only", "hello"},
        {"half a file", "<Par_Gen>\n\t<IP1>19"},
    };
    for (const Case& c : cases) {
        const QString path = tmp.filePath("bad.xml");
        ASSERT_TRUE(testsupport::writeFile(path, c.bytes));
        Document doc;
        QString error;
        EXPECT_FALSE(doc.load(path, &error)) << c.name;
        EXPECT_FALSE(error.isEmpty()) << c.name;
        EXPECT_FALSE(doc.root()) << c.name;
    }

    Document doc;
    ASSERT_TRUE(doc.loadBytes("<R/>"));
    EXPECT_FALSE(doc.load(tmp.filePath("absent.xml")));
    EXPECT_FALSE(doc.root()); // a failed load leaves no stale document
}

TEST(XmlReader, EmptyFileHasNoRoot)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("empty.xml");
    ASSERT_TRUE(testsupport::writeFile(path, {}));
    Document doc;
    doc.load(path);
    EXPECT_FALSE(doc.root());
    EXPECT_EQ(childText(doc.root(), "A", "def"), "def");
    EXPECT_FALSE(childFlag(doc.root(), "A"));
}

// What the windows store comes back exactly: a CR inside an element's text or an attribute
// (line ends in a mnemonic), a value of blanks only (a device name, a DNS byte), tabs and
// non-ASCII characters.
TEST(XmlRoundTrip, TextsComeBackAsWritten)
{
    const QString values[] = {
        QStringLiteral("line 1\rline 2"),
        QStringLiteral("line 1\r\nline 2"),
        QStringLiteral("\r"),
        QStringLiteral(" "),
        QStringLiteral("   "),
        QStringLiteral("\t"),
        QStringLiteral(" \r\n "),
        QStringLiteral(" padded "),
        QString::fromUtf8("25 \u00b0C \u20ac"),
    };
    QTemporaryDir tmp;
    const QString path = tmp.filePath("R.xml");
    for (const QString& v : values) {
        Document doc;
        pugi::xml_node root = doc.startProject("R");
        addChild(root, "Text", v);
        setAttr(addChild(root, "row"), "Mnemonic", v);
        ASSERT_TRUE(doc.save(path));
        Document back;
        ASSERT_TRUE(back.load(path));
        EXPECT_EQ(childText(back.root(), "Text"), v) << v.toStdString();
        EXPECT_EQ(attr(child(back.root(), "row"), "Mnemonic", "missing"), v) << v.toStdString();
    }
}

TEST(XmlWriter, CrInTextIsWrittenAsCharacterReference)
{
    Document doc;
    pugi::xml_node root = doc.startPlain("R");
    addChild(root, "T", QStringLiteral("a\rb"));
    doc.doc().append_child(pugi::node_comment).set_value("c\rd");
    EXPECT_EQ(doc.toBytes(), QByteArray("<R>\n\t<T>a&#13;b</T>\n</R>\n<!--c\nd-->\n"));
}

// A project file saved by another editor in the ANSI code page reads as Windows-1252; UTF-8
// with or without a mark, and a declared UTF-16 file, read as before.
TEST(XmlReader, FileThatIsNotUtf8ReadsAsWindows1252)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"Windows-1252 degree sign and euro",
         "<R><T>25 \xB0"
         "C \x80</T></R>",
         QString::fromUtf8("25 \u00b0C \u20ac")},
        {"Windows-1252 in an attribute", "<R><row M=\"\xE0\"/><T>x</T></R>", QStringLiteral("x")},
        {"UTF-8",
         "<R><T>25 \xC2\xB0"
         "C</T></R>",
         QString::fromUtf8("25 \u00b0C")},
        {"UTF-8 with mark", "\xEF\xBB\xBF<R><T>\xE2\x82\xAC</T></R>", QString::fromUtf8("\u20ac")},
        {"UTF-16 LE with mark", QByteArray("\xFF\xFE<\0R\0>\0<\0T\0>\0\xAC\x20<\0/\0T\0>\0<\0/\0R\0>\0", 32),
         QString::fromUtf8("\u20ac")},
    };
    for (const Case& c : cases) {
        Document doc;
        ASSERT_TRUE(doc.loadBytes(c.bytes)) << c.name;
        EXPECT_EQ(childText(doc.root(), "T"), c.text) << c.name;
        EXPECT_FALSE(childText(doc.root(), "T").contains(QChar::ReplacementCharacter)) << c.name;
    }
    Document doc;
    ASSERT_TRUE(doc.loadBytes("<R><row M=\"\xE0\"/></R>"));
    EXPECT_EQ(attr(child(doc.root(), "row"), "M", ""), QString::fromUtf8("\u00e0"));
}

// A reference to character 0 names a character no document may hold: it is dropped and the
// value keeps the rest of its text, in text and attributes alike, through both readers. In a
// comment or CDATA section the same letters are plain text and stay.
TEST(XmlReader, AReferenceToCharacterZeroIsDroppedNotACut)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QString text;
        QString attribute;
    } cases[] = {
        {"decimal", "<R><T>ab&#0;cd</T><row M=\"x&#0;y\"/></R>", "abcd", "xy"},
        {"hexadecimal with zeros", "<R><T>ab&#x00;cd&#000;e</T><row M=\"&#x0;y\"/></R>", "abcde", "y"},
        {"next to other references", "<R><T>&#65;&#0;&#x42;&#10;</T><row M=\"&amp;&#0;&lt;\"/></R>", "AB\n", "&<"},
        {"ANSI file", "<R><T>\xB0&#0;C</T><row M=\"\xE0&#0;\"/></R>", QString::fromUtf8("\u00b0C"),
         QString::fromUtf8("\u00e0")},
        {"CDATA keeps its letters", "<R><T><![CDATA[a&#0;b]]></T><row M=\"m\"/><!-- &#0; --></R>", "a&#0;b", "m"},
    };
    QTemporaryDir tmp;
    for (const Case& c : cases) {
        Document doc;
        ASSERT_TRUE(doc.loadBytes(c.bytes)) << c.name;
        EXPECT_EQ(childText(doc.root(), "T"), c.text) << c.name;
        EXPECT_EQ(attr(child(doc.root(), "row"), "M", "missing"), c.attribute) << c.name;

        const QString path = tmp.filePath("zero.xml");
        ASSERT_TRUE(testsupport::writeFile(path, c.bytes));
        pugi::xml_document inPlace;
        ASSERT_TRUE(loadFileInPlace(inPlace, path, pugi::parse_default)) << c.name;
        EXPECT_EQ(QString::fromUtf8(inPlace.document_element().child("row").attribute("M").value()), c.attribute)
            << c.name;
    }
}

TEST(XmlWriter, SaveOnFullDiskKeepsOldFile)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("DNETM_Net.xml");
    const QByteArray old = "<DNET_Net>\n\t<row ID=\"5\" />\n</DNET_Net>\n";
    ASSERT_TRUE(testsupport::writeFile(path, old));
    Document doc;
    setAttr(addChild(doc.startProject("DNET_Net"), "row"), "ID", "7");
    QString error;
    bool saved = true;
    {
        testsupport::FullDisk full;
        saved = doc.save(path, &error);
    }
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(testsupport::readFile(path), old);
}

TEST(XmlWriter, SaveOnARealFullFileSystemKeepsOldFile)
{
    testsupport::FullFileSystem disk;
    if (!disk.available())
        GTEST_SKIP() << "mounting a small file system needs root";
    const QString path = disk.filePath("DNETM_Net.xml");
    const QByteArray old = "<DNET_Net>\n\t<row ID=\"5\" />\n</DNET_Net>\n";
    ASSERT_TRUE(testsupport::writeFile(path, old));
    ASSERT_TRUE(disk.fill());
    Document doc;
    setAttr(addChild(doc.startProject("DNET_Net"), "row"), "ID", "7");
    QString error;
    EXPECT_FALSE(doc.save(path, &error));
    EXPECT_TRUE(error.contains("No space left on device")) << error.toStdString();
    EXPECT_EQ(testsupport::readFile(path), old);
}

namespace {

constexpr unsigned kAttributesOnly = pugi::parse_escapes | pugi::parse_wconv_attribute | pugi::parse_embed_pcdata;

} // namespace

TEST(XmlInPlace, ReadsAttributesOfAWellFormedFile)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("a.xml");
    ASSERT_TRUE(testsupport::writeFile(
        path, "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- c -->\n<R a=\"x &amp; y\"><E b=\"1\">t</E></R>\n"));
    pugi::xml_document doc;
    QString error;
    ASSERT_TRUE(loadFileInPlace(doc, path, kAttributesOnly, &error)) << error.toStdString();
    const pugi::xml_node root = doc.document_element();
    EXPECT_STREQ(root.name(), "R");
    EXPECT_STREQ(root.attribute("a").value(), "x & y");
    EXPECT_STREQ(root.child("E").attribute("b").value(), "1");
}

TEST(XmlInPlace, RefusesWhatLoadRefusesAndNamesThePlace)
{
    QTemporaryDir tmp;
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* message; // reason and place
    } cases[] = {
        {"cut in an attribute", "<R>\n  <E a=\"1\"/>\n  <E b=\"",
         "Error parsing element attribute at line 3, column 8"},
        {"unclosed", "<R>\n<E/>\n", "Start-end tags mismatch at line 2, column 5"},
        {"mismatched, CR LF lines", "<R>\r\n<E>\r\n</F>", "Start-end tags mismatch at line 3, column 3"},
        {"two roots", "<R/>\n<S/>", "Content outside the document element at line 2, column 2"},
        {"text after the root", "<R/>\xC3\xA9\n junk", "Content outside the document element at line 1, column 5"},
        {"text only", "\n hello", "No document element found at line 1, column 1"},
        {"empty", "", "No document element found"},
        {"UTF-16 with a mark, columns in characters",
         QByteArray("\xFF\xFE", 2) + QByteArray("<\0R\0>\0\n\0\xE9\0\xE9\0<\0/\0S\0>\0", 20),
         "Start-end tags mismatch at line 2, column 5"},
    };
    for (const Case& c : cases) {
        const QString path = tmp.filePath("bad.xml");
        ASSERT_TRUE(testsupport::writeFile(path, c.bytes));
        pugi::xml_document doc;
        QString error;
        EXPECT_FALSE(loadFileInPlace(doc, path, kAttributesOnly, &error)) << c.name;
        EXPECT_EQ(error.toStdString(), c.message) << c.name;
        EXPECT_FALSE(doc.first_child()) << c.name; // nothing half-parsed is left
    }

    pugi::xml_document doc;
    QString error;
    EXPECT_FALSE(loadFileInPlace(doc, tmp.filePath("absent.xml"), kAttributesOnly, &error));
    EXPECT_FALSE(error.isEmpty());
}
