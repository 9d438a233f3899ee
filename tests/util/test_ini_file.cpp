#include "gbk.h"
#include "ini_file.h"

#include <gtest/gtest.h>

using tamsel::IniFile;

namespace {

struct ReadCase
{
    const char *name;
    QByteArray file; // GBK bytes
    QString section;
    QString key;
    QString expected;
};

QByteArray g(const char *utf8) { return tamsel::gbk::encode(QString::fromUtf8(utf8)); }

std::vector<ReadCase> readCases()
{
    return {
        {"plain_value", "[pop]\r\ntanchu=0\r\n", "pop", "tanchu", "0"},
        {"lf_line_ends", "[pop]\ntanchu=0\n", "pop", "tanchu", "0"},
        {"last_line_without_end", "[pop]\r\ntanchu=1", "pop", "tanchu", "1"},
        {"section_name_any_case", "[WENTI1]\r\nwenti3=x\r\n", "wenti1", "wenti3", "x"},
        {"key_name_any_case", "[set]\r\nNUM1=2013\r\n", "set", "num1", "2013"},
        {"blank_before_value_dropped", "[pop]\r\ntanchu= 0\r\n", "pop", "tanchu", "0"},
        {"blanks_around_key_and_value", "[pop]\r\n  tanchu  =  0 \t\r\n", "pop", "tanchu", "0"},
        {"double_quotes_dropped", "[a]\r\nk=\"x y\"\r\n", "a", "k", "x y"},
        {"single_quotes_dropped", "[a]\r\nk='x'\r\n", "a", "k", "x"},
        {"unmatched_quotes_kept", "[a]\r\nk=\"x'\r\n", "a", "k", "\"x'"},
        {"only_one_pair_of_quotes", "[a]\r\nk=\"\"x\"\"\r\n", "a", "k", "\"x\""},
        {"lone_quote_kept", "[a]\r\nk=\"\r\n", "a", "k", "\""},
        {"missing_key", "[a]\r\nk=1\r\n", "a", "other", ""},
        {"missing_section", "[a]\r\nk=1\r\n", "b", "k", ""},
        {"empty_file", "", "a", "k", ""},
        {"key_outside_any_section", "k=1\r\n[a]\r\n", "a", "k", ""},
        {"first_key_wins", "[a]\r\nk=1\r\nk=2\r\n", "a", "k", "1"},
        {"first_section_wins", "[a]\r\nk=1\r\n[A]\r\nk=2\r\nj=3\r\n", "a", "k", "1"},
        {"repeated_section_not_read", "[a]\r\nk=1\r\n[a]\r\nj=3\r\n", "a", "j", ""},
        {"value_of_blanks_is_empty", "[a]\r\nk=   \r\n", "a", "k", ""},
        {"line_without_equals", "[a]\r\nk\r\n", "a", "k", ""},
        {"equals_inside_value", "[close]\r\nurl=http://a/?x=1\r\n", "close", "url", "http://a/?x=1"},
        {"leading_blank_of_section_line", "  [a]\r\nk=1\r\n", "a", "k", "1"},
        {"asked_name_with_leading_blank", "[a]\r\nk=1\r\n", " a", "\tk", "1"},
        {"chinese_value", g("[name1]\r\nname1=张明\r\n"), "name1", "name1", QString::fromUtf8("张明")},
        {"chinese_with_bracket_trail_byte", g("[x]\r\nk=乗]\r\n"), "x", "k", QString::fromUtf8("乗]")},
        {"utf8_mark_reads_as_utf8", "\xEF\xBB\xBF[a]\r\nk=\xE5\xBC\xA0\r\n", "a", "k", QString::fromUtf8("张")},
    };
}

class IniRead : public testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, readsAsTheProfileRoutines)
{
    const ReadCase &c = GetParam();
    EXPECT_EQ(IniFile::fromBytes(c.file).text(c.section, c.key).toStdString(), c.expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Cases, IniRead, testing::ValuesIn(readCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(IniRead, valueIsCutAtTheBufferSizeWithoutSplittingACharacter)
{
    const QByteArray ascii(12000, 'a');
    EXPECT_EQ(IniFile::fromBytes("[a]\r\nk=" + ascii + "\r\n").value("a", "k").size(), 10239);

    // 10,239 bytes of "a" then two-byte characters: the byte limit falls in
    // the middle of one, which is then left out.
    const QByteArray mixed = QByteArray(10238, 'a') + g("张张");
    const QByteArray cut = IniFile::fromBytes("[a]\r\nk=" + mixed + "\r\n").value("a", "k");
    EXPECT_EQ(cut.size(), 10238);
    const QByteArray even = QByteArray(10237, 'a') + g("张张");
    EXPECT_EQ(IniFile::fromBytes("[a]\r\nk=" + even + "\r\n").value("a", "k").size(), 10239);
}

struct WriteCase
{
    const char *name;
    QByteArray before;
    QString section;
    QString key;
    QByteArray value;
    QByteArray after;
};

class IniWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, changesOnlyTheKey)
{
    const WriteCase &c = GetParam();
    IniFile file = IniFile::fromBytes(c.before);
    file.setValue(c.section, c.key, c.value);
    EXPECT_EQ(file.toBytes().toStdString(), c.after.toStdString());
    EXPECT_EQ(IniFile::fromBytes(file.toBytes()).value(c.section, c.key), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWrite,
    testing::Values(
        WriteCase{"new_file", "", "set", "num1", "2013", "[set]\r\nnum1=2013\r\n"},
        WriteCase{"replaced_in_place", "[set]\r\nnum1=2012\r\nnum2=7\r\n", "set", "num1", "2013",
                  "[set]\r\nnum1=2013\r\nnum2=7\r\n"},
        WriteCase{"replaced_keeps_other_lines", "; note\n[x]\nq = 1\n[set]\nNUM1 = old\n\n[y]\nz=2",
                  "set", "num1", "new", "; note\n[x]\nq = 1\n[set]\nnum1=new\n\n[y]\nz=2"},
        WriteCase{"appended_to_its_section", "[set]\r\nnum1=1\r\n\r\n[other]\r\nk=v\r\n", "set", "num2",
                  "2", "[set]\r\nnum1=1\r\nnum2=2\r\n\r\n[other]\r\nk=v\r\n"},
        WriteCase{"new_section_at_end", "[other]\r\nk=v", "set", "num1", "1",
                  "[other]\r\nk=v\r\n[set]\r\nnum1=1\r\n"},
        WriteCase{"empty_value", "[set]\r\nnum1=1\r\n", "set", "num1", "", "[set]\r\nnum1=\r\n"},
        WriteCase{"after_a_lone_cr_at_the_end", "[ser]\r\nnu\"\r", "set", "num1", "2013",
                  "[ser]\r\nnu\"\r\r\n[set]\r\nnum1=2013\r\n"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
