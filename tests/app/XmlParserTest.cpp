#include "app/XmlParser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray Utf16Le(const QString& text, bool withMark)
{
    QByteArray bytes;
    if (withMark)
        bytes.append("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

// The document the golden file holds: a root with a group of settings, an empty element with
// attributes, a parent inside a parent, and a value that needs encoding.
void BuildGoldenDocument(CXmlParser& parser)
{
    CXmlElement* root = parser.GetRootElement();
    root->SetName(QStringLiteral("xml"));
    CXmlElement* group = parser.AddChildElement(root, QStringLiteral("Group"));
    parser.SetAttribute(group, QStringLiteral("name"), QStringLiteral("Question Diffs"));
    CXmlElement* setting =
        parser.AddChildElement(group, QStringLiteral("Setting"), QString(), QStringLiteral("1"));
    parser.SetAttribute(setting, QStringLiteral("tag"), QStringLiteral("Shortcut"));
    CXmlElement* empty = parser.AddChildElement(group, QStringLiteral(" Empty "));
    parser.SetAttribute(empty, QStringLiteral("ID"), QStringLiteral("a"));
    parser.SetAttribute(empty, QStringLiteral("state"), QStringLiteral("0"));
    CXmlElement* outer = parser.AddChildElement(root, QStringLiteral("outer"));
    CXmlElement* inner = parser.AddChildElement(outer, QStringLiteral("inner"));
    parser.AddChildElement(inner, QStringLiteral("name"), QString(),
                           QStringLiteral("Fish & <chips>"));
    parser.AddChildElement(inner, QStringLiteral("bare"));
}

class XmlFiles : public ::testing::Test
{
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(XmlFiles, WriterProducesTheGoldenBytes)
{
    CXmlParser parser;
    BuildGoldenDocument(parser);
    const QString path = PathOf(QStringLiteral("golden.xml"));
    ASSERT_TRUE(parser.SaveToFile(path, CXmlParser::XmlFileUtf16));

    const QByteArray written = ReadBytes(path);
    const QByteArray golden = ReadBytes(QStringLiteral(PLIM_TEST_DATA_DIR "/xml/golden-utf16.xml"));
    ASSERT_FALSE(golden.isEmpty());
    EXPECT_EQ(written, golden);

    // The same layout, spelled out: mark, header, CR LF, root without indentation, one TAB a
    // level, a blank before the attributes and none before "/>".
    const QString expected = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
                                            "<xml>\r\n"
                                            "\t<Group name=\"Question Diffs\">\r\n"
                                            "\t\t<Setting tag=\"Shortcut\">1</Setting>\r\n"
                                            "\t\t<Empty ID=\"a\" state=\"0\"/>\r\n"
                                            "\t</Group>\r\n"
                                            "\t<outer>\r\n"
                                            "\t\t<inner>\r\n"
                                            "\t\t\t<name>Fish &amp; &lt;chips&gt;</name>\r\n"
                                            "\t\t\t<bare/>\r\n"
                                            "\t\t</inner>\r\n"
                                            "\t</outer>\r\n"
                                            "</xml>\r\n");
    EXPECT_EQ(written, Utf16Le(expected, true));
}

TEST_F(XmlFiles, EightBitFormIsUtf8UnderItsHeader)
{
    CXmlParser parser;
    parser.GetRootElement()->SetName(QStringLiteral("xml"));
    parser.AddChildElement(parser.GetRootElement(), QStringLiteral("name"), QString(),
                           QStringLiteral("Grüße 日本"));
    const QString path = PathOf(QStringLiteral("utf8.xml"));
    ASSERT_TRUE(parser.SaveToFile(path, CXmlParser::XmlFile8Bit));
    const QByteArray expected("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                              "<xml>\r\n"
                              "\t<name>Gr\xC3\xBC\xC3\x9F"
                              "e \xE6\x97\xA5\xE6\x9C\xAC</name>\r\n"
                              "</xml>\r\n");
    EXPECT_EQ(ReadBytes(path), expected);

    for (int mode : {0, 1}) {
        CXmlParser reader;
        ASSERT_TRUE(reader.LoadFromFile(path, mode)) << mode;
        EXPECT_EQ(reader.GetRootElement()->GetChildAt(0)->GetValue(), "Grüße 日本") << mode;
    }
}

TEST_F(XmlFiles, AwkwardTextsSurviveSaveAndLoad)
{
    const QStringList values = {
        QStringLiteral("Fish & chips <tasty> \"quoted\" 'single'"),
        QStringLiteral("&lt; typed as an entity, &amp;amp; and &#65;"),
        QStringLiteral("first line\r\nsecond line\nthird\tcolumn"),
        QStringLiteral("  leading and trailing blanks  "),
        QStringLiteral("\tTab first, line break last\n"),
        QStringLiteral("Ελληνικά, русский, العربية, 日本語, 한국어, 😀"),
        QStringLiteral("\u00A0no-break space at both ends\u3000"),
        QString(QChar(0)) + QStringLiteral("zero and ") + QChar(7) + QStringLiteral(" bell"),
        QStringLiteral("a/b>c</d>"),
        QStringLiteral(" "),
        QString(),
    };

    for (int mode : {CXmlParser::XmlFileUtf16, CXmlParser::XmlFile8Bit}) {
        CXmlParser writer;
        CXmlElement* root = writer.GetRootElement();
        root->SetName(QStringLiteral("xml"));
        for (const QString& value : values) {
            CXmlElement* e =
                writer.AddChildElement(root, QStringLiteral("label"), QString(), value);
            writer.SetAttribute(e, QStringLiteral("text"), value);
        }
        const QString path = PathOf(QStringLiteral("awkward%1.xml").arg(mode));
        ASSERT_TRUE(writer.SaveToFile(path, mode));

        CXmlParser reader;
        ASSERT_TRUE(reader.LoadFromFile(path, CXmlParser::XmlFileByMark));
        CXmlElement* readRoot = reader.GetRootElement();
        EXPECT_EQ(readRoot->GetName(), "xml");
        ASSERT_EQ(readRoot->GetChildCount(), values.size());
        for (int i = 0; i < values.size(); ++i) {
            const CXmlElement* e = readRoot->GetChildAt(i);
            EXPECT_EQ(e->GetValue(), values[i]) << "mode " << mode << " value " << i;
            EXPECT_EQ(reader.GetAttribute(e, QStringLiteral("text")), values[i])
                << "mode " << mode << " attribute " << i;
        }
    }
}

TEST_F(XmlFiles, FilesOfTheEarlierWriterReadTheSame)
{
    // Attribute values were written unencoded and values were encoded with three entities.
    const QString text =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
                       "<xml>\r\n"
                       "\t<Group name=\"Response Diffs\">\r\n"
                       "\t\t<Setting tag=\"Is don't know\">0</Setting>\r\n"
                       "\t\t<label ID=\"x\">a &amp;lt; b &amp; c &gt; d</label>\r\n"
                       "\t</Group>\r\n"
                       "</xml>\r\n");
    const QString path = PathOf(QStringLiteral("old.xml"));
    ASSERT_TRUE(WriteBytes(path, Utf16Le(text, true)));

    CXmlParser reader;
    ASSERT_TRUE(reader.LoadFromFile(path, CXmlParser::XmlFileByMark));
    CXmlElement* group = reader.GetFirstChildElement(reader.GetRootElement());
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(reader.GetAttribute(group, QStringLiteral("name")), "Response Diffs");
    CXmlElement* setting = reader.GetFirstChildElement(group);
    EXPECT_EQ(reader.GetAttribute(setting, QStringLiteral("tag")), "Is don't know");
    EXPECT_EQ(setting->GetValue(), "0");
    EXPECT_EQ(reader.GetNextChildElement(group)->GetValue(), "a &lt; b & c > d");
}

TEST_F(XmlFiles, ByteOrderMarkDecidesUnderModeZeroAndIsSkippedUnderModeOne)
{
    const QString path = PathOf(QStringLiteral("marked.xml"));
    ASSERT_TRUE(WriteBytes(path, Utf16Le(QStringLiteral("<xml><a>Ωmega</a></xml>"), true)));
    CXmlParser utf16;
    ASSERT_TRUE(utf16.LoadFromFile(path, CXmlParser::XmlFileByMark));
    EXPECT_EQ(utf16.GetRootElement()->GetChildAt(0)->GetValue(), "Ωmega");

    // Under mode 1 the mark is skipped and the rest is 8-bit text.
    const QString path8 = PathOf(QStringLiteral("marked8.xml"));
    ASSERT_TRUE(WriteBytes(path8, QByteArray("\xFF\xFE<xml><a>plain</a></xml>")));
    CXmlParser eightBit;
    ASSERT_TRUE(eightBit.LoadFromFile(path8, CXmlParser::XmlFile8Bit));
    EXPECT_EQ(eightBit.GetRootElement()->GetName(), "xml");
    EXPECT_EQ(eightBit.GetRootElement()->GetChildAt(0)->GetValue(), "plain");

    // Mode 2 reads UTF-16 even without a mark.
    const QString bare = PathOf(QStringLiteral("bare16.xml"));
    ASSERT_TRUE(WriteBytes(bare, Utf16Le(QStringLiteral("<xml><a>b</a></xml>"), false)));
    CXmlParser forced;
    ASSERT_TRUE(forced.LoadFromFile(bare, CXmlParser::XmlFileUtf16));
    EXPECT_EQ(forced.GetRootElement()->GetChildAt(0)->GetValue(), "b");
}

TEST_F(XmlFiles, FailedLoadsLeaveTheTreeAsItWas)
{
    CXmlParser parser;
    ASSERT_TRUE(parser.ParseText(QStringLiteral("<xml><keep>1</keep></xml>")));

    const QString empty = PathOf(QStringLiteral("empty.xml"));
    ASSERT_TRUE(WriteBytes(empty, QByteArray()));
    const QString zeros = PathOf(QStringLiteral("zeros.xml"));
    ASSERT_TRUE(WriteBytes(zeros, QByteArray("\xFF\xFE\0\0<\0", 6)));
    const QString huge = PathOf(QStringLiteral("huge.xml"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(CXmlParser::kMaxFileSize + 1));
    }

    const QString fifo = PathOf(QStringLiteral("fifo.xml"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    for (const QString& path : {PathOf(QStringLiteral("missing.xml")), empty, zeros, huge,
                                m_dir.path(), fifo, QStringLiteral("/dev/zero")}) {
        for (int mode : {0, 1, 2}) {
            EXPECT_FALSE(parser.LoadFromFile(path, mode)) << path.toStdString() << " " << mode;
            EXPECT_EQ(parser.GetRootElement()->GetName(), "xml");
            ASSERT_EQ(parser.GetRootElement()->GetChildCount(), 1);
            EXPECT_EQ(parser.GetRootElement()->GetChildAt(0)->GetValue(), "1");
        }
    }
}

TEST_F(XmlFiles, SavingToAnUnwritablePlaceFails)
{
    CXmlParser parser;
    parser.GetRootElement()->SetName(QStringLiteral("xml"));
    EXPECT_FALSE(parser.SaveToFile(PathOf(QStringLiteral("no/such/folder/file.xml")), 2));
    EXPECT_FALSE(parser.SaveToFile(m_dir.path(), 2));
}

TEST(XmlParser, AttributesAreFoundByTheirWholeName)
{
    CXmlParser parser;
    CXmlElement* root = parser.GetRootElement();
    root->SetName(QStringLiteral("xml"));
    CXmlElement* e = parser.AddChildElement(
        root, QStringLiteral("group"),
        QStringLiteral("base_label_id=\"111\" note='id=\"222\"' ID=\"333\" id=\"444\""));
    EXPECT_EQ(parser.GetAttribute(e, QStringLiteral("id")), "444");
    EXPECT_EQ(parser.GetAttribute(e, QStringLiteral("ID")), "333");
    EXPECT_EQ(parser.GetAttribute(e, QStringLiteral("base_label_id")), "111");
    EXPECT_EQ(parser.GetAttribute(e, QStringLiteral("note")), "id=\"222\"");
    EXPECT_EQ(parser.GetAttribute(e, QStringLiteral("label_id")), "");
    EXPECT_EQ(parser.GetAttribute(e, QStringLiteral("missing")), "");

    parser.SetAttribute(e, QStringLiteral("id"), QStringLiteral("555"));
    EXPECT_EQ(e->GetAttributeText(),
              "base_label_id=\"111\" note='id=\"222\"' ID=\"333\" id=\"555\"");

    // An attribute without quotes, and one cut off at the end of the text.
    CXmlElement* loose =
        parser.AddChildElement(root, QStringLiteral("loose"), QStringLiteral("a=1 b = \"2"));
    EXPECT_EQ(parser.GetAttribute(loose, QStringLiteral("a")), "1");
    EXPECT_EQ(parser.GetAttribute(loose, QStringLiteral("b")), "2");
}

TEST(XmlParser, SettingAnAttributeTwiceKeepsOneWithTheSecondValue)
{
    CXmlParser parser;
    CXmlElement* e = parser.AddChildElement(parser.GetRootElement(), QStringLiteral("label"));
    parser.SetAttribute(e, QStringLiteral("ID"), QStringLiteral("first"));
    EXPECT_EQ(e->GetAttributeText(), "ID=\"first\"");
    parser.SetAttribute(e, QStringLiteral("state"), QStringLiteral("1"));
    parser.SetAttribute(e, QStringLiteral("ID"), QStringLiteral("a \"longer\" second"));
    EXPECT_EQ(e->GetAttributeText(), "ID=\"a &quot;longer&quot; second\" state=\"1\"");
    EXPECT_EQ(parser.GetAttribute(e, QStringLiteral("ID")), "a \"longer\" second");
}

TEST(XmlParser, ChildIteration)
{
    CXmlParser parser;
    ASSERT_TRUE(parser.ParseText(QStringLiteral("<xml><alpha/><Beta/><gamma/></xml>")));
    CXmlElement* root = parser.GetRootElement();

    EXPECT_EQ(parser.GetNextChildElement(root), nullptr); // no cursor yet
    CXmlElement* found = parser.FindChildElement(root, QStringLiteral("BETA"));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->GetName(), "Beta");
    EXPECT_EQ(root->GetSearchName(), "BETA");
    CXmlElement* next = parser.GetNextChildElement(root);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->GetName(), "gamma");
    EXPECT_EQ(parser.GetNextChildElement(root), nullptr);
    EXPECT_EQ(parser.GetNextChildElement(root), nullptr);

    EXPECT_EQ(parser.GetFirstChildElement(root)->GetName(), "alpha");
    EXPECT_EQ(parser.FindChildElement(root, QStringLiteral("delta")), nullptr);
    EXPECT_EQ(parser.GetNextChildElement(root), nullptr);
    EXPECT_EQ(parser.GetFirstChildElement(found), nullptr);
}

TEST(XmlParser, ReadingRules)
{
    struct SCase
    {
        const char* Text;
        const char* Dump; // name[attributes]=value{children}
    };
    const SCase cases[] = {
        // Text before the root and a comment between elements are skipped.
        {"<?xml version=\"1.0\"?>\r\n  <xml>\r\n\t<!-- note -->\r\n\t<a x=\"1\">v</a></xml>",
         "xml{a[x=\"1\"]=v}"},
        // The value is the text after the last tag inside the element.
        {"<xml><a>before<b/>after</a></xml>", "xml{a=after{b}}"},
        {"<xml><a>kept<b/></a></xml>", "xml{a{b}}"},
        // A closing tag closes the current element whatever its name.
        {"<xml><a><b></a>x</xml>", "xml{a=x{b}}"},
        // A second top-level element becomes a child of the root.
        {"<xml/><second/>", "xml{second}"},
        // An unclosed element stays open; a stray closing tag at the root level is ignored.
        {"</stray><xml><a>open", "xml{a}"},
        // Line breaks and tabs inside values are blanks; the value is trimmed.
        {"<xml><a>\r\n\tone\ttwo\r\n</a></xml>", "xml{a=one two}"},
        // Attributes are split from the name at the first blank.
        {"<xml>< a  k=\"v w\"  /></xml>", "xml{a[k=\"v w\"]}"},
        {"", ""},
        {"no tags at all", ""},
        {"<", ""},
        {">", ""},
        {"<<>>", ""},
        {"<xml><!></xml>", "xml"},
    };

    std::function<QString(const CXmlElement&)> dump = [&](const CXmlElement& e) {
        QString out = e.GetName();
        if (!e.GetAttributeText().isEmpty())
            out += QLatin1Char('[') + e.GetAttributeText() + QLatin1Char(']');
        if (!e.GetValue().isEmpty())
            out += QLatin1Char('=') + e.GetValue();
        QStringList children;
        for (int i = 0; i < e.GetChildCount(); ++i)
            children << dump(*e.GetChildAt(i));
        if (!children.isEmpty())
            out += QLatin1Char('{') + children.join(QLatin1Char(',')) + QLatin1Char('}');
        return out;
    };

    for (const SCase& c : cases) {
        CXmlParser parser;
        EXPECT_TRUE(parser.ParseText(QString::fromUtf8(c.Text))) << c.Text;
        EXPECT_EQ(dump(*parser.GetRootElement()), QString::fromUtf8(c.Dump)) << c.Text;
    }
}

TEST(XmlParser, DocumentsBeyondTheLimitsFailCleanly)
{
    CXmlParser parser;
    const int deep = CXmlParser::kMaxDepth;
    const QString atLimit = QStringLiteral("<xml>") + QStringLiteral("<a>").repeated(deep);
    EXPECT_TRUE(parser.ParseText(atLimit));

    const QString tooDeep = QStringLiteral("<xml>") + QStringLiteral("<a>").repeated(100000);
    EXPECT_FALSE(parser.ParseText(tooDeep));
    EXPECT_TRUE(parser.GetRootElement()->GetName().isEmpty());
    EXPECT_EQ(parser.GetRootElement()->GetChildCount(), 0);

    // Wide is fine up to the element limit.
    const QString wide = QStringLiteral("<xml>") + QStringLiteral("<a/>").repeated(50000);
    EXPECT_TRUE(parser.ParseText(wide));
    EXPECT_EQ(parser.GetRootElement()->GetChildCount(), 50000);

    // A huge attribute is read whole.
    const QString big(4 * 1024 * 1024, QLatin1Char('x'));
    EXPECT_TRUE(parser.ParseText(QStringLiteral("<xml><a v=\"") + big + QStringLiteral("\"/>")));
    EXPECT_EQ(parser.GetAttribute(parser.GetRootElement()->GetChildAt(0), QStringLiteral("v")),
              big);

    // Entities are never expanded beyond the few the reader knows.
    EXPECT_TRUE(parser.ParseText(QStringLiteral(
        "<!DOCTYPE x [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;&a;\">]><xml><v>&b;&b;</v></xml>")));
}
