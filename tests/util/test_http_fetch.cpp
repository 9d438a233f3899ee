#include "http_fetch.h"
#include "local_server.h"
#include "temp_home.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tamsel;
using tamsel::test::LocalServer;

namespace {

// The fetch behaves as in the window when an application object exists: it
// waits in a local event loop. Every test of this program runs that way.
class ApplicationEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_util_helpers";
        static char *argv[] = {name, nullptr};
        m_app = new QCoreApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

private:
    QCoreApplication *m_app = nullptr;
};
const auto *const environment = testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

struct SplitCase
{
    const char *name;
    const char *url;
    const char *host;
    int port;
    const char *path;
    bool valid;
};

const SplitCase SplitCases[] = {
    {"plain", "http://update.tamsel.example/soft.ini", "update.tamsel.example", 80, "/soft.ini", true},
    {"no_path", "http://Update.Tamsel.Example", "update.tamsel.example", 80, "/", true},
    {"prefix_in_capitals", "HTTP://host:8080/a/b?x=1&y=/2", "host", 8080, "/a/b?x=1&y=/2", true},
    {"no_prefix", "host:81/x", "host", 81, "/x", true},
    {"no_prefix_no_path", "HOST", "host", 80, "/", true},
    {"empty_port", "http://host:/x", "host", 80, "/x", true},
    {"port_with_junk", "http://host:82abc/x", "host", 82, "/x", true},
    {"port_too_large", "http://host:65536/x", "host", 80, "/x", false},
    {"no_host", "http:///x", "", 80, "/x", false},
    {"empty", "", "", 80, "/", false},
};

void PrintTo(const SplitCase &c, std::ostream *os) { *os << c.url; }

class HttpSplit : public testing::TestWithParam<SplitCase>
{
};

TEST_P(HttpSplit, SplitsHostPortAndPath)
{
    const SplitCase &c = GetParam();
    const HttpTarget target = splitHttpUrl(QString::fromUtf8(c.url));
    EXPECT_EQ(target.valid, c.valid);
    if (c.valid) {
        EXPECT_EQ(target.host.toStdString(), c.host);
        EXPECT_EQ(target.port, c.port);
    }
    EXPECT_EQ(target.path.toStdString(), c.path);
}

INSTANTIATE_TEST_SUITE_P(Http, HttpSplit, testing::ValuesIn(SplitCases),
                         [](const auto &info) { return std::string(info.param.name); });

class HttpFetch : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(server.started()) << server.errors().toStdString(); }

    QString url(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server.port()).arg(path);
    }
    QByteArray requests() const
    {
        QFile log(logFile);
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    }

    test::TempHome home;
    QString logFile = home.path() + QStringLiteral("/requests.log");
    LocalServer server{QStringLiteral("http_server.py"), {QStringLiteral("--log"), logFile}};
    FetchLimits quick{1, 2, 1024 * 1024};
};

TEST_F(HttpFetch, SendsTheRequestExactly)
{
    const QString target = url(QStringLiteral("/soft.ini?v=1&x=%E4"));
    EXPECT_EQ(fetchText(target), "<html><body>404 Not Found</body></html>");
    const QByteArray expected =
        "GET /soft.ini?v=1&x=%E4 HTTP/1.1\r\n"
        "Host: 127.0.0.1:" + QByteArray::number(server.port()) + "\r\n"
        "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"
        "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
        "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n"
        "Referer: " + target.toUtf8() + "\r\n"
        "Accept-Language: zh-cn\r\n"
        "\r\n";
    EXPECT_EQ(requests().toStdString(), expected.toStdString());
}

TEST_F(HttpFetch, UrlWithoutPathOrPrefixAsksForRoot)
{
    // A proxy in the environment is ignored: access is direct.
    qputenv("http_proxy", QByteArray("http://127.0.0.1:") + QByteArray::number(test::closedPort()));
    fetchText(QStringLiteral("HTTP://127.0.0.1:%1").arg(server.port()), quick);
    fetchText(QStringLiteral("127.0.0.1:%1/plain").arg(server.port()), quick);
    qunsetenv("http_proxy");
    const QList<QByteArray> lines = requests().split('\n');
    QList<QByteArray> requestLines;
    for (const QByteArray &line : lines) {
        if (line.startsWith("GET "))
            requestLines.append(line.trimmed());
    }
    EXPECT_EQ(requestLines, (QList<QByteArray>{"GET / HTTP/1.1", "GET /plain HTTP/1.1"}));
}

TEST_F(HttpFetch, BodiesAreCutAtZeroAndAtTheCap)
{
    EXPECT_EQ(fetchText(url(QStringLiteral("/zero")), quick), "abc");
    const QByteArray big = fetchText(url(QStringLiteral("/big")), quick);
    EXPECT_EQ(big.size(), quick.maxBodyBytes);
    EXPECT_EQ(big.count('x'), big.size());
}

TEST_F(HttpFetch, NoAnswerGivesEmptyTextWithinTheLimits)
{
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(fetchText(QStringLiteral("http://127.0.0.1:%1/x").arg(test::closedPort()), quick), "");
    EXPECT_EQ(fetchText(url(QStringLiteral("/silent")), quick), "");
    EXPECT_LT(timer.elapsed(), 4000);
    // A line break in the URL would add headers of its own: no request.
    EXPECT_EQ(fetchText(url(QStringLiteral("/a\r\nX-Evil: 1")), quick), "");
    EXPECT_FALSE(requests().contains("X-Evil"));
}

TEST_F(HttpFetch, WindowKeepsRunningWhileWaiting)
{
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(50);
    EXPECT_EQ(fetchText(url(QStringLiteral("/silent")), quick), "");
    EXPECT_GE(ticks, 10);
}

TEST_F(HttpFetch, CookiesOfTheAnswerAreStoredForTheHost)
{
    EXPECT_EQ(fetchText(url(QStringLiteral("/cookies")), quick), "ok");
    const QString site = QStringLiteral("http://127.0.0.1");
    EXPECT_EQ(storedCookie(site, "session"), "abc; path=/");
    EXPECT_EQ(storedCookie(site, "lang"), "zh=cn");
    EXPECT_EQ(storedCookie(site, "fake"), "");
    EXPECT_EQ(storedCookie(QStringLiteral("http://other"), "session"), "");
    EXPECT_EQ(QFile::permissions(cookieJarFile()) & (QFile::ReadOther | QFile::ReadGroup), 0);
}

} // namespace
