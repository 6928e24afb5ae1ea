#include "statwindow/frmpsyresize.h"

#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/globals.h"
#include "zorvik/widget/zorvik.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

namespace {

constexpr int MinSize = 10;
constexpr int MaxSize = 20000;
constexpr std::int16_t KindGraph = 180;
constexpr std::int16_t FirstTextKind = 181;
constexpr std::int16_t LastTextKind = 186;

void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(veltra::ui::twipsToPixelsX(left), veltra::ui::twipsToPixelsY(top),
        veltra::ui::twipsToPixelsX(width), veltra::ui::twipsToPixelsY(height));
}

} // namespace

QString frmPSYReSize::noSizeMessage()
{
    return QStringLiteral("サイズを指定してください");
}

QString frmPSYReSize::rangeMessage()
{
    return QStringLiteral("サイズは10～20000の範囲で指定してください。");
}

frmPSYReSize::frmPSYReSize(QWidget *owner)
    : QDialog(owner, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the window registry deletes it
    setObjectName(QStringLiteral("frmPSYReSize"));
    setWindowTitle(QStringLiteral("サイズ変更"));
    setFixedSize(veltra::ui::twipsToPixelsX(5520), veltra::ui::twipsToPixelsY(1980));

    const QString captions[2]
        = {QStringLiteral("円グラフ等のサイズ"), QStringLiteral("実数値、ランキングサイズ")};
    QSlider **sliders[2] = {&SliderGra, &SliderString};
    QLineEdit **texts[2] = {&Text1, &Text2};
    const QString sliderNames[2] = {QStringLiteral("SliderGra"), QStringLiteral("SliderString")};
    for (int i = 0; i < 2; ++i) {
        const int top = 120 + i * 600;
        Label1[i] = new QLabel(captions[i], this);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        place(Label1[i], 120, top, 2280, 255);
        auto *slider = new QSlider(Qt::Horizontal, this);
        slider->setObjectName(sliderNames[i]);
        slider->setRange(MinSize, MaxSize);
        slider->setPageStep(1000);
        place(slider, 120, top + 240, 4200, 315);
        *sliders[i] = slider;
        auto *text = new QLineEdit(this);
        text->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        place(text, 4440, top + 240, 960, 315);
        *texts[i] = text;
    }
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    place(cmdOK, 2520, 1440, 1335, 375);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    place(cmdCancel, 3960, 1440, 1335, 375);

    connect(SliderGra, &QSlider::valueChanged, this, [this] { SliderGra_Change(); });
    connect(SliderString, &QSlider::valueChanged, this, [this] { SliderString_Change(); });
    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    Form_Load();
}

void frmPSYReSize::Form_Load()
{
    // Without a map there is no size to show; the sliders stay at their start.
    if (!gobjZor)
        return;
    std::int16_t graph = 0;
    std::int16_t label = 0;
    gobjZor->GetKindDispSize(KindGraph, graph);
    gobjZor->GetKindDispSize(FirstTextKind, label);
    // The texts show the engine's sizes as they are, even one outside the
    // sliders' range (OK then asks for a valid one).
    Text1->setText(QString::number(graph));
    Text2->setText(QString::number(label));
}

void frmPSYReSize::sliderToText(const QSlider *slider, QLineEdit *text)
{
    if (m_busy != 0)
        return;
    m_busy = -1;
    text->setText(QString::number(slider->value()));
    m_busy = 0;
}

void frmPSYReSize::textToSlider(const QLineEdit *text, QSlider *slider)
{
    if (m_busy != 0)
        return;
    m_busy = -1;
    if (const auto number = veltra::vb::toNumber(text->text())) {
        const double rounded
            = std::clamp(veltra::vb::roundHalfEven(*number), double(MinSize), double(MaxSize));
        slider->setValue(static_cast<int>(rounded));
    }
    m_busy = 0;
}

void frmPSYReSize::SliderGra_Change()
{
    sliderToText(SliderGra, Text1);
}

void frmPSYReSize::SliderString_Change()
{
    sliderToText(SliderString, Text2);
}

void frmPSYReSize::Text1_Change()
{
    textToSlider(Text1, SliderGra);
}

void frmPSYReSize::Text2_Change()
{
    textToSlider(Text2, SliderString);
}

bool frmPSYReSize::checkSize(const QLineEdit *text)
{
    const auto number = veltra::vb::toNumber(text->text());
    if (!number) {
        veltra::ui::MsgBox(noSizeMessage(), veltra::ui::vbInformation, QString());
        return false;
    }
    if (*number > MaxSize || *number < MinSize) {
        veltra::ui::MsgBox(rangeMessage(), veltra::ui::vbInformation, QString());
        return false;
    }
    return true;
}

void frmPSYReSize::cmdOK_Click()
{
    if (!checkSize(Text1) || !checkSize(Text2))
        return;
    Text1->setText(QString::number(SliderGra->value()));
    Text2->setText(QString::number(SliderString->value()));
    veltra::ui::DoEvents();
    if (zorvik::Zorvik *map = gobjZor) {
        map->SetKindDispSize(KindGraph, static_cast<std::int16_t>(SliderGra->value()));
        for (std::int16_t kind = FirstTextKind; kind <= LastTextKind; ++kind)
            map->SetKindDispSize(kind, static_cast<std::int16_t>(SliderString->value()));
        // A change of scale makes the engine lay the statistics elements out
        // again with the new sizes; the scale then goes back.
        map->setScale(map->Scale() + 1);
        map->Refresh();
        map->setScale(map->Scale() - 1);
        map->Refresh();
    }
    veltra::ui::WindowRegistry::instance().unload(this);
}

void frmPSYReSize::cmdCancel_Click()
{
    veltra::ui::WindowRegistry::instance().unload(this);
}

void frmPSYReSize::closeEvent(QCloseEvent *event)
{
    event->accept();
    // The close box unloads as キャンセル does.
    veltra::ui::WindowRegistry::instance().unload(this);
}
