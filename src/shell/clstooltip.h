#pragma once
// clsToolTip: a tool tip for one window, in the shape of a balloon or a plain
// rectangle, with an optional bold title line and icon.
//
// The object keeps its properties; Create(parent) builds the tip window for
// that window (replacing an earlier one) from them. While the tip window
// lives, it watches the window: the pointer resting on it for DelayTime
// milliseconds shows the tip, which hides after VisibleTime milliseconds, when
// the pointer leaves or a button is pressed. The properties act on a live tip
// window as follows (otherwise at the next Create):
// - TipText, ForeColor and BackColor change it at once (a colour of 0 is then
//   black; at Create a colour of 0 leaves the usual tool-tip colour);
// - Title and Icon change it only when both are set (at Create either one
//   suffices);
// - Style, Centered, VisibleTime and DelayTime wait for the next Create.
// Colours are VB RGB Longs (red + green * 256 + blue * 65536); times are in
// milliseconds.
//
// Common use (a list that shows the full text of the item under the pointer):
//   tip.setStyle(1); tip.setIcon(1);
//   on a new item: tip.setTipText(item->text()); tip.Create(list);
//   over no item:  tip.Destroy();
#include <QColor>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>

class QTimer;

namespace veltra::shell {

// The tip window of a clsToolTip: a frameless top-level tool-tip window for
// one tool window.
class TipWindow : public QWidget
{
    Q_OBJECT
public:
    TipWindow(QWidget *tool, bool balloon, bool centered, int visibleTime, int delayTime);
    ~TipWindow() override;

    QWidget *tool() const { return m_tool; }
    bool isBalloon() const { return m_balloon; }
    bool isCentered() const { return m_centered; }
    int visibleTime() const { return m_visibleTime; }
    int delayTime() const { return m_delayTime; }

    QString text() const { return m_text; }
    void setText(const QString &text);
    QString title() const { return m_title; }
    int icon() const { return m_icon; }
    void setTitle(int icon, const QString &title);
    QColor textColour() const { return m_textColour; }
    void setTextColour(const QColor &colour);
    QColor backColour() const { return m_backColour; }
    void setBackColour(const QColor &colour);

    // The delay before the tip shows runs (the pointer rests on the tool).
    bool isWaiting() const;
    // Shows the tip for the pointer at `cursor` (global pixels): below it, or
    // centred below the tool when centred.
    void popUp(const QPoint &cursor);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void watch(QWidget *widget);
    void dismiss();
    QSize contentSize() const;
    QPixmap iconPixmap() const;

    QPointer<QWidget> m_tool;
    QPointer<QWidget> m_viewport; // a scroll area's viewport gets its mouse
    bool m_balloon;
    bool m_centered;
    int m_visibleTime;
    int m_delayTime;
    QString m_text;
    QString m_title;
    int m_icon = 0;
    QColor m_textColour;
    QColor m_backColour;
    QTimer *m_delay;
    QTimer *m_autoPop;
    int m_tailX = 0; // where the balloon's tail meets the top, in the window
};

} // namespace veltra::shell

class clsToolTip
{
public:
    clsToolTip() = default;
    ~clsToolTip();
    clsToolTip(const clsToolTip &) = delete;
    clsToolTip &operator=(const clsToolTip &) = delete;

    std::int32_t Style() const { return m_style; }
    void setStyle(std::int32_t style) { m_style = style; } // 1 balloon, else rectangle
    bool Centered() const { return m_centered; }
    void setCentered(bool centered) { m_centered = centered; }
    // Builds the tip window for `parent`, replacing any earlier one.
    void Create(QWidget *parent);
    std::int32_t Icon() const { return m_icon; }
    void setIcon(std::int32_t icon); // 0 none, 1 information, 2 warning, 3 error
    std::int32_t ForeColor() const { return m_foreColor; }
    void setForeColor(std::int32_t colour);
    QString Title() const { return m_title; }
    void setTitle(const QString &title);
    std::int32_t BackColor() const { return m_backColor; }
    void setBackColor(std::int32_t colour);
    QString TipText() const { return m_tipText; }
    void setTipText(const QString &text);
    // Destroys the tip window when there is one.
    void Destroy();
    std::int32_t VisibleTime() const { return m_visibleTime; }
    void setVisibleTime(std::int32_t ms) { m_visibleTime = ms; }
    std::int32_t DelayTime() const { return m_delayTime; }
    void setDelayTime(std::int32_t ms) { m_delayTime = ms; }

    // The live tip window, or nullptr before Create and after Destroy.
    veltra::shell::TipWindow *tipWindow() const { return m_tip; }

private:
    void applyTitle();

    std::int32_t m_style = 0;
    bool m_centered = false;
    std::int32_t m_icon = 0;
    std::int32_t m_foreColor = 0;
    QString m_title;
    std::int32_t m_backColor = 0;
    QString m_tipText;
    std::int32_t m_visibleTime = 5000;
    std::int32_t m_delayTime = 500;
    QPointer<veltra::shell::TipWindow> m_tip;
};
