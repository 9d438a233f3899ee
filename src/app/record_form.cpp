#include "record_form.h"

#include "carried_text.h"
#include "clock.h"
#include "law_texts.h"
#include "looks.h"
#include "prompter.h"
#include "record_commands.h"
#include "record_fields.h"
#include "record_template.h"
#include "rules_window.h"
#include "settings_file.h"
#include "menu_table.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QTimer>
#include <QUrl>

namespace tamsel {

namespace {

// A side button whose caption runs top to bottom, one character a line, as
// the narrow buttons at the right edge of the window need.
class VerticalButton : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
        const QString caption = text().trimmed();
        const int lineHeight = fontMetrics().height();
        int y = (height() - lineHeight * static_cast<int>(caption.size())) / 2;
        painter.setPen(isEnabled() ? palette().color(QPalette::ButtonText)
                                   : palette().color(QPalette::Disabled, QPalette::ButtonText));
        for (const QChar c : caption) {
            painter.drawText(QRect(0, y, width(), lineHeight), Qt::AlignCenter, QString(c));
            y += lineHeight;
        }
    }
};

QLabel *makeLabel(QWidget *parent, const QString &name, int x, int y, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->adjustSize();
    label->setGeometry(x, y, label->width(), 22);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &text, const QRect &geometry)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

QLineEdit *makeEdit(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    return edit;
}

QGroupBox *makeGroup(QWidget *parent, const QString &name, const QRect &geometry, const QString &title = {})
{
    auto *group = new QGroupBox(title, parent);
    group->setObjectName(name);
    group->setGeometry(geometry);
    return group;
}

// The banner across the top: drawn here rather than carried as a picture.
QPixmap bannerPicture(const QSize &size)
{
    QPixmap picture(size);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, size.width(), 0);
    gradient.setColorAt(0, QColor(22, 62, 122));
    gradient.setColorAt(0.6, QColor(46, 104, 170));
    gradient.setColorAt(1, QColor(120, 164, 210));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(QColor(255, 214, 90));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRect(58, 8, 48, 48));
    QFont emblem = painter.font();
    emblem.setPixelSize(22);
    emblem.setBold(true);
    painter.setFont(emblem);
    painter.drawText(QRect(58, 8, 48, 48), Qt::AlignCenter, QStringLiteral("监"));
    QFont title = painter.font();
    title.setPixelSize(28);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(122, 4, 600, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("劳动保障监察询问笔录"));
    QFont subtitle = painter.font();
    subtitle.setPixelSize(13);
    subtitle.setBold(false);
    painter.setFont(subtitle);
    painter.setPen(QColor(220, 232, 246));
    painter.drawText(QRect(124, 40, 700, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("人力资源和社会保障  ·  劳动保障监察  ·  依法行政  文明执法"));
    return picture;
}

struct HeaderLabel
{
    const char16_t *name;
    int x, y;
    const char16_t *text;
};

// The header's labels: single static texts whose runs of blanks leave room
// for the boxes laid over them.
constexpr HeaderLabel HeaderLabels[] = {
    {u"标签2", 10, 17, u"笔录起始时间：         年      月      日      时      分   至        时      分"},
    {u"标签3", 34, 51, u"笔录地点："},
    {u"标签4", 10, 85, u"被询问人姓名：               性别：         户籍所在地："},
    {u"标签5", 10, 118, u"身份证件种类：                证件号码："},
    {u"标签6", 34, 150, u"工作单位：                                  职务："},
    {u"标签7", 59, 183, u"电话：                          其他联系方式："},
    {u"标签8", 23, 216, u"询问监察员：                 其他参加人：                 记录人："},
    {u"标签9", 16, 259, u" 笔录内容1："},
};

const QString PageNames[] = {QStringLiteral("分组框1"), QStringLiteral("分组框2"), QStringLiteral("分组框3"),
                             QStringLiteral("分组框4")};

} // namespace

RecordForm::RecordForm(Prompter &prompter, const Clock &clock, RunDirectory runDir, QWidget *parent)
    : QMainWindow(parent), m_prompter(prompter), m_clock(clock), m_runDir(std::move(runDir)),
      m_statusLabel(new QLabel), m_form(this, m_statusLabel), m_statusClock(new QTimer(this)),
      m_recovery(m_runDir), m_recoveryClock(new QTimer(this))
{
    setObjectName(QStringLiteral("RecordForm"));
    setFixedSize(1025, 642);
    move(50, 50);

    auto *central = new QWidget(this);
    setCentralWidget(central);

    auto *banner = new QLabel(central);
    banner->setObjectName(QStringLiteral("图片框1"));
    banner->setGeometry(-35, 0, 1053, 65);
    banner->setPixmap(bannerPicture(banner->size()));

    buildPages(central);
    buildSideButtons(central);
    buildPanels(central);
    buildMenus();
    applyDesignState(m_form);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("状态条1"));
    status->setSizeGripEnabled(false);
    status->addWidget(m_statusLabel, 1);
    setStatusBar(status);

    // The status clock runs from the window's creation for as long as it lives.
    m_statusClock->setObjectName(QStringLiteral("时钟2"));
    m_statusClock->setInterval(1000);
    connect(m_statusClock, &QTimer::timeout, this, &RecordForm::refreshStatusLine);
    m_statusClock->start();

    // At most this much of an interview is lost to a crash or a power cut.
    m_recoveryClock->setInterval(10000);
    connect(m_recoveryClock, &QTimer::timeout, this, &RecordForm::writeLeftRecord);

    m_showRules = [this] {
        RulesWindow rules(rulesOfProcedure(m_runDir));
        rules.exec();
    };
    setCommand(QStringLiteral("新建(笔录)"), [this] {
        if (record_commands::newRecord(m_form, m_prompter, *this, m_clock, m_runDir, m_lineCounter))
            keepRecord();
    });
    // "退出" ends at once and asks nothing; the record on screen, when it is
    // not kept, is offered back at the next start.
    setCommand(QStringLiteral("退出"), [this] {
        writeLeftRecord();
        m_endProgram();
    });
}

RecordForm::~RecordForm() = default;

void RecordForm::buildPages(QWidget *central)
{
    // Design places: pages 3 and 4 wait hidden until " 下一步：" moves them.
    const QRect pageGeometry[] = {QRect(1, 59, 517, 510), QRect(519, 59, 500, 510), QRect(24, 75, 517, 510),
                                  QRect(447, 245, 500, 510)};
    QGroupBox *pages[4];
    for (int i = 0; i < 4; ++i)
        pages[i] = makeGroup(central, PageNames[i], pageGeometry[i]);
    pages[2]->hide();
    pages[3]->hide();

    for (const HeaderLabel &label : HeaderLabels)
        makeLabel(pages[0], QString::fromUtf16(label.name), label.x, label.y, QString::fromUtf16(label.text));
    makeLabel(pages[1], QStringLiteral("标签11"), 13, 19, QStringLiteral(" 笔录内容2："));
    makeLabel(pages[2], QStringLiteral("标签12"), 16, 19, QStringLiteral(" 笔录内容3："));
    makeLabel(pages[3], QStringLiteral("标签13"), 13, 19, QStringLiteral(" 笔录内容4："));

    // The notes are drawn over the page beneath them, so they cover it.
    auto *notes = makeGroup(central, QStringLiteral("分组框6"), QRect(967, -18, 500, 510));
    notes->setAutoFillBackground(true);
    notes->hide();
    makeLabel(notes, QStringLiteral("标签15"), 16, 19, QStringLiteral(" 案件经过详细备注信息："));

    for (const RecordField &field : recordFields()) {
        QWidget *parent = field.kind == FieldKind::Notes ? static_cast<QWidget *>(notes) : pages[field.page - 1];
        switch (field.kind) {
        case FieldKind::Edit:
            makeEdit(parent, field.control, field.geometry);
            break;
        case FieldKind::Combo: {
            auto *box = new QComboBox(parent);
            box->setObjectName(field.control);
            box->setEditable(true);
            box->setInsertPolicy(QComboBox::NoInsert);
            box->setGeometry(field.geometry);
            box->setMaxVisibleItems(20);
            break;
        }
        case FieldKind::Notes: {
            auto *edit = new QPlainTextEdit(parent);
            edit->setObjectName(field.control);
            edit->setGeometry(field.geometry);
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            edit->setStyleSheet(QStringLiteral("QPlainTextEdit { background: rgb(236,236,236); }"));
            break;
        }
        }
    }

    auto *pair2 = findChild<QComboBox *>(questionLine(2).control);
    connect(pair2, &QComboBox::activated, this, [this] { record_commands::pair2QuestionPicked(m_form); });
    auto *pair3 = findChild<QComboBox *>(questionLine(3).control);
    connect(pair3, &QComboBox::activated, this, [this] { record_commands::pair3QuestionPicked(m_form); });

    // The hidden scratch fields, above the visible area.
    for (const QString &name : {scratch::UploadFile, scratch::PlaybackFile, scratch::WordPath, scratch::ViewerFile,
                                scratch::StatusMessage, scratch::ChosenFile})
        makeEdit(central, name, QRect(0, -40, 10, 20))->hide();
}

void RecordForm::buildSideButtons(QWidget *central)
{
    struct Side
    {
        const char16_t *name;
        const char16_t *text;
        int y, height;
        void (*command)(Form &);
    };
    const Side sides[] = {
        {u"按钮5", u"案件情由备注", 202, 97, record_commands::toggleCaseNotes},
        {u"按钮2", u" 上一步：", 299, 82, record_commands::previousScreen},
        {u"按钮1", u" 下一步：", 381, 82, record_commands::nextScreen},
    };
    for (const Side &side : sides) {
        auto *button = new VerticalButton(QString::fromUtf16(side.text), central);
        button->setObjectName(QString::fromUtf16(side.name));
        button->setGeometry(993, side.y, 25, side.height);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QPushButton::clicked, this, [this, command = side.command] { command(m_form); });
    }
    findChild<QPushButton *>(QStringLiteral("按钮2"))->setEnabled(false);
}

void RecordForm::buildPanels(QWidget *central)
{
    // The text viewer over the record pages, with its two buttons.
    auto *viewer = new QPlainTextEdit(central);
    viewer->setObjectName(QStringLiteral("超级编辑框1"));
    viewer->setGeometry(1, 64, 1017, 506);
    viewer->hide();
    makeButton(central, QStringLiteral("按钮6"), QStringLiteral("打  印"), QRect(713, 545, 138, 20))->hide();
    auto *close = makeButton(central, QStringLiteral("按钮3"), QStringLiteral("关  闭"), QRect(856, 544, 138, 20));
    close->hide();
    connect(close, &QPushButton::clicked, this, [this] { record_commands::closeViewer(m_form); });

    // The audio recorder.
    // The recorder and the FTP settings open over the banner, so they cover it.
    auto *recorder = makeGroup(central, QStringLiteral("分组框5"), QRect(1, -1, 271, 66));
    recorder->setAutoFillBackground(true);
    recorder->hide();
    auto *slider = new QSlider(Qt::Horizontal, recorder);
    slider->setObjectName(QStringLiteral("滑块条1"));
    slider->setGeometry(8, 9, 188, 26);
    slider->setRange(0, 7200);
    auto *clockLabel = new QLabel(recorder);
    clockLabel->setObjectName(QStringLiteral("标签14"));
    clockLabel->setGeometry(198, 10, 66, 22);
    makeButton(recorder, QStringLiteral("按钮录音"), QStringLiteral("录音"), QRect(17, 39, 48, 24));
    makeButton(recorder, QStringLiteral("按钮暂停"), QStringLiteral("暂停"), QRect(66, 39, 48, 24))->setEnabled(false);
    makeButton(recorder, QStringLiteral("按钮继续"), QStringLiteral("继续"), QRect(66, 39, 48, 24))->hide();
    makeButton(recorder, QStringLiteral("按钮4"), QStringLiteral("停止保存"), QRect(115, 39, 57, 24))->setEnabled(false);
    makeButton(recorder, QStringLiteral("按钮播放"), QStringLiteral("播放"), QRect(174, 39, 46, 24));
    makeButton(recorder, QStringLiteral("暂停"), QStringLiteral("停止"), QRect(221, 39, 46, 24));

    // FTP settings; the password is echoed as "*".
    auto *ftp = makeGroup(central, QStringLiteral("分组框7"), QRect(320, -1, 271, 65), QStringLiteral("FTP服务器配置"));
    ftp->setAutoFillBackground(true);
    QFont panelFont = ftp->font();
    panelFont.setPixelSize(10);
    ftp->setFont(panelFont);
    ftp->hide();
    struct FtpField
    {
        const char16_t *label;
        QRect labelGeometry;
        const char16_t *edit;
        QRect editGeometry;
    };
    const FtpField ftpFields[] = {
        {u"FTP_IP地址：", QRect(9, 14, 70, 24), u"编辑框20", QRect(79, 15, 79, 20)},
        {u"文件名：", QRect(162, 13, 42, 24), u"编辑框23", QRect(207, 15, 60, 20)},
        {u"FTP帐号：", QRect(9, 39, 56, 24), u"编辑框21", QRect(64, 40, 71, 20)},
        {u"FTP密码：", QRect(141, 39, 56, 24), u"编辑框22", QRect(197, 40, 71, 20)},
    };
    for (const FtpField &field : ftpFields) {
        auto *label = new QLabel(QString::fromUtf16(field.label), ftp);
        label->setGeometry(field.labelGeometry);
        makeEdit(ftp, QString::fromUtf16(field.edit), field.editGeometry);
    }
    findChild<QLineEdit *>(QStringLiteral("编辑框22"))->setEchoMode(QLineEdit::Password);

    // The video view and its frame.
    auto *frame = new QLabel(central);
    frame->setObjectName(QStringLiteral("标签1"));
    frame->setGeometry(839, 0, 180, 115);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->hide();
    auto *view = new QLabel(central);
    view->setObjectName(QStringLiteral("视频设备1"));
    view->setGeometry(847, 8, 165, 100);
    view->setAlignment(Qt::AlignCenter);
    view->setStyleSheet(QStringLiteral("QLabel { background: black; color: white; }"));
    view->setScaledContents(true);
    view->hide();
}

void RecordForm::buildMenus()
{
    for (const MenuEntry &entry : menuTable()) {
        QMenu *menu = menuBar()->addMenu(entry.title);
        for (const QString &item : entry.items) {
            QAction *action = menu->addAction(item);
            connect(action, &QAction::triggered, this, [this, item] { runMenuItem(item); });
        }
    }
}

void RecordForm::setCommand(const QString &menuItem, std::function<void()> command)
{
    m_commands.insert(menuItem, std::move(command));
}

bool RecordForm::triggerMenuItem(const QString &menuItem)
{
    for (QAction *action : findChildren<QAction *>()) {
        if (action->text() == menuItem && action->isEnabled()) {
            action->trigger();
            return true;
        }
    }
    return false;
}

void RecordForm::runMenuItem(const QString &item)
{
    const auto command = m_commands.constFind(item);
    if (command == m_commands.cend()) {
        m_prompter.inform(QStringLiteral("“%1”功能尚未提供，暂时不能使用。").arg(item), QStringLiteral("提 示："));
        return;
    }
    (*command)();
}

void RecordForm::startUp()
{
    runStartUpSequence(m_form, *this, m_clock, m_runDir, m_lineCounter);
    m_keptRecord = RecordTemplate::fromForm(m_form).values();
}

void RecordForm::keepRecord()
{
    m_keptRecord = RecordTemplate::fromForm(m_form).values();
    m_recovery.discard();
}

void RecordForm::recordOpened(const QString &path)
{
    if (QFileInfo(path) != QFileInfo(m_recovery.file()))
        keepRecord();
}

void RecordForm::offerLeftRecord()
{
    // Only once the question is answered: a copy written aside meanwhile
    // would replace the one on offer.
    m_recovery.offer(m_form, m_prompter);
    m_recoveryClock->start();
}

void RecordForm::writeLeftRecord()
{
    const RecordTemplate record = RecordTemplate::fromForm(m_form);
    if (record.values() == m_keptRecord)
        m_recovery.discard();
    else
        m_recovery.write(record); // a safety copy; the officer's own save reports its failures
}

void RecordForm::checkLock()
{
    if (m_form.isWindowShown())
        return;
    if (m_lockCheck)
        m_lockCheck();
    else
        m_form.showWindow();
}

void RecordForm::applyLook(int look)
{
    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance()))
        tamsel::applyLook(*app, look);
}

void RecordForm::showRulesWindow()
{
    m_showRules();
}

void RecordForm::refreshStatusLine()
{
    m_form.setStatusText(statusLine(m_form.text(scratch::StatusMessage), m_clock.now()));
}

void RecordForm::closeEvent(QCloseEvent *event)
{
    if (RecordTemplate::fromForm(m_form).values() != m_keptRecord
        && m_prompter.message(QStringLiteral("这份笔录还没有保存，关闭后录入的内容将会丢失。确定要关闭吗？"),
                              QStringLiteral("提 示："), Prompter::Buttons::OkCancel)
            != Prompter::Answer::Ok) {
        event->ignore();
        return;
    }
    m_recovery.discard();
    // The exit step: the settings file may name a page to open at closing.
    const SettingsFile settings = SettingsFile::load(m_runDir);
    if (settings.opensPageAtExit())
        QDesktopServices::openUrl(QUrl::fromUserInput(settings.exitPage()));
    event->accept();
}

} // namespace tamsel
