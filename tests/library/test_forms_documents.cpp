// The 27 carried blank forms, judged by readers we did not write: olefile for
// the compound file, antiword and LibreOffice for the text.
#include "form_catalogue.h"
#include "form_documents.h"
#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace tamsel;

namespace {

// The printed title of every form, in menu order: the number must lead to
// the form the menu names.
struct ExpectedForm
{
    int number;
    const char *title;
};

const ExpectedForm kExpected[kFormCount] = {
    {27, "监察文书大全"},
    {1, "实施劳动保障监察委托书"},
    {2, "劳动保障监察调查检查记录"},
    {3, "劳动保障监察询问通知书"},
    {4, "劳动保障监察举报登记表"},
    {5, "劳动保障监察投诉登记表"},
    {6, "不予受理投诉决定书"},
    {7, "劳动保障监察立案审批表"},
    {8, "劳动保障监察案件处理报批表"},
    {9, "劳动保障监察责令改正决定书"},
    {10, "劳动保障行政部门负责人对复杂重大行政处罚集体讨论记录"},
    {11, "劳动保障行政处罚事先告知书"},
    {12, "陈述申辩笔录"},
    {13, "劳动保障行政处罚听证告知书"},
    {14, "劳动保障监察行政处理决定书"},
    {15, "劳动保障行政处罚决定书"},
    {16, "劳动保障监察送达回执"},
    {17, "涉嫌犯罪案件移送书"},
    {25, "涉嫌犯罪案件移送审批表"},
    {20, "劳动保障监察案件结案报告"},
    {19, "劳动保障监察案件延期处理审批表"},
    {18, "劳动保障监察结案审批表"},
    {21, "劳动保障行政处罚案件报批表"},
    {22, "强制执行申请书"},
    {23, "行政处罚案件集体讨论记录"},
    {24, "劳动保障监察行政处理事先告知书"},
    {26, "劳动保障监察案件移送函"},
};

struct ProgramRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ProgramRun runProgram(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    process.start(program, arguments);
    ProgramRun result;
    if (!process.waitForStarted(10000)) {
        result.err = "cannot start " + program.toUtf8();
        return result;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = program.toUtf8() + " did not finish in time";
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

// The lines of a reader's text with blanks, form feeds and a byte order mark
// trimmed, empty lines left out.
QStringList textLines(const QByteArray &utf8)
{
    QString text = QString::fromUtf8(utf8);
    text.remove(QChar(0xFEFF));
    text.replace(u'\f', u'\n');
    QStringList lines;
    for (const QString &line : text.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines << trimmed;
    }
    return lines;
}

// The titles of the 26 forms the collected volume holds, in menu order.
QStringList formTitles()
{
    QStringList titles;
    for (size_t i = 1; i < std::size(kExpected); ++i)
        titles << QString::fromUtf8(kExpected[i].title);
    return titles;
}

// The lines of a text that are one of those titles, in their order.
QStringList titleLinesOf(const QStringList &lines)
{
    const QStringList titles = formTitles();
    QStringList found;
    for (const QString &line : lines) {
        if (titles.contains(line))
            found << line;
    }
    return found;
}

// The carried forms written to a folder, and what antiword made of them.
class CarriedForms : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_home = new test::TempHome;
        s_dir = s_home->path() + QStringLiteral("/forms");
        QDir().mkpath(s_dir);
        for (const FormEntry &entry : formCatalogue()) {
            QFile file(s_dir + u'/' + formFileName(entry.number));
            if (file.open(QIODevice::WriteOnly))
                file.write(carriedForm(entry.number));
        }
        for (const FormEntry &entry : formCatalogue()) {
            const ProgramRun run = runProgram(QStringLiteral("antiword"),
                                       {QStringLiteral("-m"), QStringLiteral("UTF-8.txt"),
                                        s_dir + u'/' + formFileName(entry.number)},
                                       30000);
            s_antiword[entry.number] = run.exitCode == 0 ? textLines(run.out)
                                                         : QStringList{QString::fromUtf8("antiword failed: " + run.err)};
        }
    }

    // LibreOffice converts all 27 forms in one call, because it starts slowly;
    // only the test that reads its text asks for it.
    static void convertWithLibreOffice()
    {
        const QString txtDir = s_home->path() + QStringLiteral("/txt");
        QStringList arguments = {QStringLiteral("-env:UserInstallation=file://") + s_home->path() + QStringLiteral("/lo"),
                                 QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                                 QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("--outdir"), txtDir};
        for (const FormEntry &entry : formCatalogue())
            arguments << s_dir + u'/' + formFileName(entry.number);
        s_soffice = runProgram(QStringLiteral("soffice"), arguments, 300000);
        for (const FormEntry &entry : formCatalogue()) {
            QFile text(txtDir + QStringLiteral("/ws%1.txt").arg(entry.number));
            s_office[entry.number] = text.open(QIODevice::ReadOnly) ? textLines(text.readAll()) : QStringList{};
        }
    }

    static void TearDownTestSuite()
    {
        delete s_home;
        s_home = nullptr;
    }

    static test::TempHome *s_home;
    static QString s_dir;
    static std::map<int, QStringList> s_antiword;
    static std::map<int, QStringList> s_office;
    static ProgramRun s_soffice;
};

test::TempHome *CarriedForms::s_home = nullptr;
QString CarriedForms::s_dir;
std::map<int, QStringList> CarriedForms::s_antiword;
std::map<int, QStringList> CarriedForms::s_office;
ProgramRun CarriedForms::s_soffice;

TEST_F(CarriedForms, areWordCompoundFilesInMenuOrder)
{
    for (size_t i = 0; i < formCatalogue().size(); ++i)
        ASSERT_EQ(formCatalogue()[i].number, kExpected[i].number) << "menu position " << i + 1;

    const QByteArray signature = QByteArray::fromHex("D0CF11E0A1B11AE1");
    for (const FormEntry &entry : formCatalogue()) {
        const QByteArray bytes = carriedForm(entry.number);
        EXPECT_TRUE(bytes.startsWith(signature)) << "ws" << entry.number;
        EXPECT_EQ(bytes.size() % 512, 0) << "ws" << entry.number << " is " << bytes.size() << " bytes";
        EXPECT_GT(bytes.size(), 512) << "ws" << entry.number;
    }
    EXPECT_TRUE(carriedForm(28).isEmpty());
    EXPECT_TRUE(carriedForm(0).isEmpty());

    // olefile reads the directory and finds the Word stream in every file.
    QStringList arguments = {QStringLiteral("-c"),
                             QStringLiteral("import olefile, sys\n"
                                            "for p in sys.argv[1:]:\n"
                                            "    o = olefile.OleFileIO(p)\n"
                                            "    print(p.rsplit('/', 1)[-1], o.exists('WordDocument'),"
                                            " o.exists('1Table') or o.exists('0Table'))\n")};
    for (const FormEntry &entry : formCatalogue())
        arguments << s_dir + u'/' + formFileName(entry.number);
    const ProgramRun check = runProgram(QStringLiteral("/usr/bin/python3"), arguments, 60000);
    ASSERT_EQ(check.exitCode, 0) << check.err.toStdString();
    const QStringList lines = textLines(check.out);
    ASSERT_EQ(lines.size(), kFormCount);
    for (const QString &line : lines)
        EXPECT_TRUE(line.endsWith(QStringLiteral(" True True"))) << line.toStdString();
}

TEST_F(CarriedForms, antiwordReadsEachTitleFirst)
{
    for (const ExpectedForm &form : kExpected) {
        const QStringList &lines = s_antiword[form.number];
        ASSERT_FALSE(lines.isEmpty()) << "ws" << form.number;
        EXPECT_EQ(lines.first().toStdString(), form.title) << "ws" << form.number;
    }
}

TEST_F(CarriedForms, libreOfficeReadsEachTitleFirstAndTheWholeVolume)
{
    convertWithLibreOffice();
    ASSERT_EQ(s_soffice.exitCode, 0) << s_soffice.err.toStdString();
    for (const ExpectedForm &form : kExpected) {
        const QStringList &lines = s_office[form.number];
        ASSERT_FALSE(lines.isEmpty()) << "ws" << form.number << " was not converted";
        EXPECT_EQ(lines.first().toStdString(), form.title) << "ws" << form.number;
    }
    EXPECT_EQ(titleLinesOf(s_office[kCollectedVolumeNumber]), formTitles());
}

// "监察文书大全" holds the 26 other forms, each title once as its own line, in
// menu order, each followed by its body.
TEST_F(CarriedForms, collectedVolumeHoldsEveryFormInMenuOrder)
{
    const QStringList &volume = s_antiword[kCollectedVolumeNumber];
    EXPECT_EQ(titleLinesOf(volume), formTitles());
    for (size_t i = 1; i < std::size(kExpected); ++i) {
        const QStringList &form = s_antiword[kExpected[i].number];
        const qsizetype at = volume.indexOf(form.first());
        ASSERT_GE(at, 0) << "ws" << kExpected[i].number;
        EXPECT_EQ(volume.mid(at, form.size()), form) << "ws" << kExpected[i].number;
    }
}

// Generating again, twice, gives exactly the bytes the program carries.
TEST(FormGeneration, isByteIdenticalFromRunToRun)
{
    QTemporaryDir first, second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    const QString forms = QStringLiteral(TAMSEL_SOURCE_DIR "/resources/forms");
    for (const QTemporaryDir *out : {&first, &second}) {
        const ProgramRun run = runProgram(QStringLiteral(TAMSEL_FORM_GENERATOR), {forms, out->path()}, 60000);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    }
    for (const FormEntry &entry : formCatalogue()) {
        const QString name = formFileName(entry.number);
        QFile a(first.filePath(name)), b(second.filePath(name));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = a.readAll();
        EXPECT_EQ(bytes, b.readAll()) << name.toStdString();
        EXPECT_EQ(bytes, carriedForm(entry.number)) << name.toStdString();
    }
}

TEST(FormGeneration, aBrokenDescriptionFailsNamingFileAndLine)
{
    QTemporaryDir forms, out;
    ASSERT_TRUE(forms.isValid() && out.isValid());
    const QDir source(QStringLiteral(TAMSEL_SOURCE_DIR "/resources/forms"));
    for (const QString &name : source.entryList({QStringLiteral("ws*.form")}))
        ASSERT_TRUE(QFile::copy(source.filePath(name), forms.filePath(name)));
    QFile broken(forms.filePath(QStringLiteral("ws4.form")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("= 举报登记表\n[table 50,40]\n");
    broken.close();

    const ProgramRun run = runProgram(QStringLiteral(TAMSEL_FORM_GENERATOR), {forms.path(), out.path()}, 60000);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(QString::fromLocal8Bit(run.err).contains(QStringLiteral("ws4.form line 2: column widths sum to 90")))
        << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out.filePath(QStringLiteral("ws27.doc"))));
}

} // namespace
