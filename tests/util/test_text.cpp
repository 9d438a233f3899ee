#include "date_time_text.h"
#include "gbk.h"

#include <gtest/gtest.h>

namespace {

TEST(Gbk, roundTripsChineseAndCountsBytes)
{
    const QString text = QString::fromUtf8("劳动保障监察询问笔录 No.1");
    EXPECT_EQ(tamsel::gbk::decode(tamsel::gbk::encode(text)), text);
    EXPECT_EQ(tamsel::gbk::byteLength(QStringLiteral("12")), 2);
    EXPECT_EQ(tamsel::gbk::byteLength(QString::fromUtf8("十二")), 4);
}

struct TimeCase
{
    QTime time;
    const char *expected;
};

TEST(DateTimeText, dropsTrailingZeroFields)
{
    const TimeCase cases[] = {
        {QTime(9, 5, 7), "9时5分7秒"},
        {QTime(9, 5, 0), "9时5分"},
        {QTime(10, 0, 0), "10时"},
        {QTime(0, 0, 0), ""},
        {QTime(0, 0, 30), "0时0分30秒"},
        {QTime(0, 5, 0), "0时5分"},
    };
    for (const TimeCase &c : cases)
        EXPECT_EQ(tamsel::timeText(c.time).toStdString(), c.expected) << c.time.toString().toStdString();
    EXPECT_EQ(tamsel::dateTimeText(QDateTime(QDate(2024, 5, 3), QTime(9, 5, 30))).toStdString(),
              "2024年5月3日9时5分30秒");
    EXPECT_EQ(tamsel::dateTimeText(QDateTime(QDate(2024, 5, 3), QTime(0, 0))).toStdString(), "2024年5月3日");
}

} // namespace
