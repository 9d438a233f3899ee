#include "gbk.h"
#include "password_hash.h"

#include <gtest/gtest.h>

using namespace tamsel;
using password_hash::Match;

namespace {

struct CleanCase
{
    const char *name;
    QByteArray stored;
    QByteArray cleaned;
};

const CleanCase CleanCases[] = {
    {"terminator_read_as_cr_lf", "abc\r\n", "abc"},
    {"only_the_first_cr_and_lf", "ab\r\ncd\r\n", "abcd\r\n"},
    {"lf_before_cr", "a\nb\rc", "abc"},
    {"half_width_blanks", "  abc  ", "abc"},
    {"full_width_blanks", "\xA1\xA1" "abc\xA1\xA1\xA1\xA1", "abc"},
    {"mixed_blanks_and_line_end", " \xA1\xA1" "a b\xA1\xA1 \r\n", "a b"},
    {"inner_blanks_stay", "a \xA1\xA1 b", "a \xA1\xA1 b"},
    // A character whose tail byte is A1 stays whole beside a full-width blank.
    {"character_ending_in_a1_before_full_width_blank", "\xB0\xA1\xA1\xA1", "\xB0\xA1"},
    {"all_blank", " \xA1\xA1 \r\n", ""},
    {"empty", "", ""},
};

void PrintTo(const CleanCase &c, std::ostream *os) { *os << c.name; }

class PasswordClean : public testing::TestWithParam<CleanCase> {};

TEST_P(PasswordClean, undoesTheReadAndTrimsBlanks)
{
    EXPECT_EQ(password_hash::cleaned(GetParam().stored).toHex(' ').toStdString(),
              GetParam().cleaned.toHex(' ').toStdString());
}

INSTANTIATE_TEST_SUITE_P(Lock, PasswordClean, testing::ValuesIn(CleanCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct CheckCase
{
    const char *name;
    const char *password; // hashed: the password set; else nullptr
    QByteArray plain;     // stored plain (older installations) when no password is hashed
    const char *typed;
    Match match;
};

const CheckCase CheckCases[] = {
    {"hash_typed_as_set", "Kao-7", {}, "Kao-7", Match::Hash},
    {"hash_other_letter_case", "Kao-7", {}, "kao-7", Match::No},
    {"hash_added_blank", "Kao-7", {}, "Kao-7 ", Match::No},
    {"hash_one_character_short", "Kao-7", {}, "Kao-", Match::No},
    {"hash_keeps_trailing_blank", "Kao-7 ", {}, "Kao-7 ", Match::Hash},
    {"hash_trailing_blank_needed", "Kao-7 ", {}, "Kao-7", Match::No},
    {"hash_leading_full_width_blank", "\u3000密码", {}, "\u3000密码", Match::Hash},
    {"hash_chinese", "劳动监察", {}, "劳动监察", Match::Hash},
    {"hash_empty_typed", "Kao-7", {}, "", Match::No},
    {"plain_with_terminator", nullptr, "Kao-7\r\n", "Kao-7", Match::Legacy},
    {"plain_other_letter_case", nullptr, "Kao-7\r\n", "KAO-7", Match::No},
    {"plain_typed_with_line_end", nullptr, "Kao-7\r\n", "Kao-7\r\n", Match::No},
    {"plain_trimmed_typed_with_blank", nullptr, "Kao-7 ", "Kao-7 ", Match::No},
    {"plain_trimmed_typed_without", nullptr, "Kao-7 ", "Kao-7", Match::Legacy},
    {"plain_gbk", nullptr, "\xC3\xDC\xC2\xEB\r\n", "密码", Match::Legacy},
    {"plain_longer_than_typed", nullptr, "Kao-78", "Kao-7", Match::No},
    {"plain_missing_opens_with_empty", nullptr, "", "", Match::Legacy},
    {"plain_missing_refuses_text", nullptr, "", "x", Match::No},
    // What GBK cannot hold never equals stored GBK bytes, even where the
    // encoder writes its substitute.
    {"plain_not_gbk", nullptr, "?", "\U0001F512", Match::No},
};

void PrintTo(const CheckCase &c, std::ostream *os) { *os << c.name; }

class PasswordCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(PasswordCheck, comparesAsTheStoredFormRequires)
{
    const CheckCase &c = GetParam();
    QByteArray stored = c.plain;
    if (c.password) {
        const Result<QByteArray> hashed = password_hash::hash(QString::fromUtf8(c.password));
        ASSERT_TRUE(hashed.ok()) << hashed.message().toStdString();
        stored = hashed.value();
        ASSERT_TRUE(password_hash::isHash(stored));
    }
    EXPECT_EQ(password_hash::check(QString::fromUtf8(c.typed), stored), c.match);
}

INSTANTIATE_TEST_SUITE_P(Lock, PasswordCheck, testing::ValuesIn(CheckCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(PasswordHash, isSaltedArgon2idWithoutThePassword)
{
    const Result<QByteArray> a = password_hash::hash(QStringLiteral("Kao-7"));
    const Result<QByteArray> b = password_hash::hash(QStringLiteral("Kao-7"));
    ASSERT_TRUE(a.ok() && b.ok());
    EXPECT_TRUE(a.value().startsWith("$argon2id$")) << a.value().toStdString();
    EXPECT_NE(a.value(), b.value()) << "same password, same salt";
    EXPECT_FALSE(a.value().contains("Kao-7"));
    // A stored hash read back with CR LF (planted with its terminator) still verifies.
    EXPECT_EQ(password_hash::check(QStringLiteral("Kao-7"), a.value() + "\r\n"), Match::Hash);
    // A plain password that happens to look like a hash prefix is not one.
    EXPECT_FALSE(password_hash::isHash("$argon2"));
}

} // namespace
