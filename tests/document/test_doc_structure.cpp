// The rules of the Word 97 format that lenient readers forgive but Word
// checks when it opens a file: offsets, counts, tiling of the property
// pages, paragraph marks, story ends. Each case of the table is walked.
#include "byte_writer.h"
#include "compound_file.h"
#include "doc_cases.h"
#include "doc_writer.h"

#include <gtest/gtest.h>

using namespace tamsel;
using namespace tamsel::doc;
using namespace tamsel::doc::bytes;
using namespace tamsel::test;

namespace {

// True when `grpprl` is a sequence of whole sprms, nothing left over.
bool sprmsFill(const QByteArray &grpprl)
{
    qsizetype at = 0;
    while (at < grpprl.size()) {
        if (at + 2 > grpprl.size())
            return false;
        const unsigned sprm = get16(grpprl, at);
        at += 2;
        switch (sprm >> 13) {
        case 0:
        case 1: at += 1; break;
        case 2:
        case 4:
        case 5: at += 2; break;
        case 3: at += 4; break;
        case 7: at += 3; break;
        default:
            if (sprm == 0xD608 || sprm == 0xD606)
                at += 2 + qsizetype(get16(grpprl, at)) - 1;
            else
                at += 1 + qsizetype(get8(grpprl, at));
        }
    }
    return at == grpprl.size();
}

class DocStructure : public testing::TestWithParam<DocCase>
{
protected:
    void SetUp() override
    {
        m_file = docBytes(GetParam().document);
        ASSERT_FALSE(m_file.isEmpty());
        Result<QByteArray> word = compoundStream(m_file, QStringLiteral("WordDocument"));
        Result<QByteArray> table = compoundStream(m_file, QStringLiteral("1Table"));
        ASSERT_TRUE(word.ok() && table.ok());
        m_word = word.value();
        m_table = table.value();
    }
    std::uint32_t fc(int pair) const { return get32(m_word, 154 + 8 * pair); }
    std::uint32_t lcb(int pair) const { return get32(m_word, 158 + 8 * pair); }
    char16_t character(std::uint32_t fcOffset) const { return char16_t(get16(m_word, fcOffset)); }

    QByteArray m_file, m_word, m_table;
};

TEST_P(DocStructure, fibCountsAndOffsetsAgree)
{
    EXPECT_EQ(m_file.size() % 512, 0);
    EXPECT_GE(m_word.size(), 4096);
    EXPECT_GE(m_table.size(), 4096);
    EXPECT_EQ(get16(m_word, 0), 0xA5ECu);
    EXPECT_EQ(get16(m_word, 2), 0x00C1u);
    EXPECT_EQ(get16(m_word, 0x0A), 0x1200u); // 1Table, extended characters, nothing else
    EXPECT_EQ(get16(m_word, 32), 0x000Eu);
    EXPECT_EQ(get16(m_word, 62), 0x0016u);
    EXPECT_EQ(get16(m_word, 152), 0x005Du);
    EXPECT_EQ(get16(m_word, 898), 0u);

    const std::uint32_t ccpText = get32(m_word, 76), ccpHdd = get32(m_word, 84);
    const std::uint32_t n = ccpHdd ? ccpText + ccpHdd + 1 : ccpText;
    EXPECT_EQ(get32(m_word, 0x18), 0x400u);
    EXPECT_EQ(get32(m_word, 0x1C), 0x400u + 2 * n);
    EXPECT_LE(0x400u + 2 * n, get32(m_word, 64)); // cbMac covers the text

    for (int pair : {1, 12, 13, 31, 32, 33})
        EXPECT_GT(lcb(pair), 0u) << "pair " << pair;
    EXPECT_EQ(lcb(31), 500u); // Dop97
    EXPECT_EQ(lcb(32), 42u);  // 18 empty association strings
    for (int pair = 0; pair < 93; ++pair)
        EXPECT_LE(qsizetype(fc(pair)) + lcb(pair), m_table.size()) << "pair " << pair;

    // One Unicode piece over all the text.
    const std::uint32_t clx = fc(33);
    EXPECT_EQ(get8(m_table, clx), 0x02u);
    EXPECT_EQ(get32(m_table, clx + 1), 16u);
    EXPECT_EQ(get32(m_table, clx + 5), 0u);
    EXPECT_EQ(get32(m_table, clx + 9), n);
    EXPECT_EQ(get32(m_table, clx + 15), 0x400u);

    // Stories end with paragraph marks; the header document's guard marks.
    EXPECT_EQ(character(0x400 + 2 * (ccpText - 1)), u'\r');
    if (ccpHdd) {
        EXPECT_EQ(character(0x400 + 2 * (n - 1)), u'\r');
        ASSERT_EQ(lcb(11), 56u);
        EXPECT_EQ(get32(m_table, fc(11) + 4 * 12), ccpHdd - 1);
        EXPECT_EQ(character(0x400 + 2 * (ccpText + ccpHdd - 1)), u'\r');
        EXPECT_EQ(character(0x400 + 2 * (ccpText + ccpHdd - 2)), u'\r');
    } else {
        EXPECT_EQ(lcb(11), 0u);
    }

    // The section covers the main text and its properties parse whole.
    ASSERT_EQ(lcb(6), 20u);
    EXPECT_EQ(get32(m_table, fc(6) + 4), ccpText);
    const std::uint32_t sepx = get32(m_table, fc(6) + 10);
    EXPECT_TRUE(sprmsFill(m_word.mid(sepx + 2, get16(m_word, sepx))));
}

TEST_P(DocStructure, characterPagesTileTheText)
{
    const std::uint32_t fcMac = get32(m_word, 0x1C);
    const int pages = int((lcb(12) - 4) / 8);
    std::uint32_t expectedStart = 0x400;
    for (int i = 0; i < pages; ++i) {
        SCOPED_TRACE(i);
        const std::uint32_t first = get32(m_table, fc(12) + 4 * i), last = get32(m_table, fc(12) + 4 * (i + 1));
        const std::uint32_t pn = get32(m_table, fc(12) + 4 * (pages + 1) + 4 * i) & 0x3FFFFF;
        EXPECT_EQ(first, expectedStart);
        const QByteArray page = m_word.mid(qsizetype(pn) * 512, 512);
        ASSERT_EQ(page.size(), 512);
        const unsigned crun = get8(page, 511);
        ASSERT_TRUE(crun >= 1 && crun <= 0x65);
        EXPECT_EQ(get32(page, 0), first);
        EXPECT_EQ(get32(page, 4 * crun), last);
        for (unsigned r = 0; r < crun; ++r) {
            EXPECT_LT(get32(page, 4 * r), get32(page, 4 * (r + 1)));
            const unsigned offset = 2 * get8(page, 4 * (crun + 1) + r);
            if (offset == 0)
                continue;
            EXPECT_GE(offset, 4 * (crun + 1) + crun);
            EXPECT_LT(offset + 1 + get8(page, offset), 512u);
            EXPECT_TRUE(sprmsFill(page.mid(offset + 1, get8(page, offset))));
        }
        expectedStart = last;
    }
    EXPECT_EQ(expectedStart, fcMac);
}

TEST_P(DocStructure, paragraphPagesTileTheTextAndEndAtMarks)
{
    const std::uint32_t fcMac = get32(m_word, 0x1C);
    const int pages = int((lcb(13) - 4) / 8);
    std::uint32_t expectedStart = 0x400;
    for (int i = 0; i < pages; ++i) {
        SCOPED_TRACE(i);
        const std::uint32_t first = get32(m_table, fc(13) + 4 * i), last = get32(m_table, fc(13) + 4 * (i + 1));
        const std::uint32_t pn = get32(m_table, fc(13) + 4 * (pages + 1) + 4 * i) & 0x3FFFFF;
        EXPECT_EQ(first, expectedStart);
        const QByteArray page = m_word.mid(qsizetype(pn) * 512, 512);
        ASSERT_EQ(page.size(), 512);
        const unsigned cpara = get8(page, 511);
        ASSERT_TRUE(cpara >= 1 && cpara <= 0x1D);
        EXPECT_EQ(get32(page, 0), first);
        EXPECT_EQ(get32(page, 4 * cpara), last);
        for (unsigned p = 0; p < cpara; ++p) {
            const std::uint32_t end = get32(page, 4 * (p + 1));
            const char16_t mark = character(end - 2);
            EXPECT_TRUE(mark == u'\r' || mark == 0x07) << "paragraph " << p << " ends in " << int(mark);
            const unsigned offset = 2 * get8(page, 4 * (cpara + 1) + 13 * p);
            ASSERT_GE(offset, 4 * (cpara + 1) + 13 * cpara);
            unsigned cb = get8(page, offset);
            qsizetype at = offset + 1, length = 2 * qsizetype(cb) - 1;
            if (cb == 0) {
                length = 2 * qsizetype(get8(page, offset + 1));
                at = offset + 2;
            }
            ASSERT_LE(at + length, 511);
            EXPECT_TRUE(sprmsFill(page.mid(at + 2, length - 2))); // after the style index
        }
        expectedStart = last;
    }
    EXPECT_EQ(expectedStart, fcMac);
}

INSTANTIATE_TEST_SUITE_P(Cases, DocStructure, testing::ValuesIn(docCases()),
                         [](const testing::TestParamInfo<DocCase> &info) { return std::string(info.param.name); });

} // namespace
