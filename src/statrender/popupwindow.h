#pragma once
// The frame of the legend and ranking pop-ups: a small fixed tool window
// over its owner (the main frame, or none), sized in twips. Height() is the
// window's outer height as the pop-ups compute it; the client area is that
// less the tool window's caption and borders, kFrameTwips.
//
// The window registry owns every pop-up (one instance each, unloaded by
// name), so closing one hides and deletes it through the registry only.
#include <QWidget>

namespace veltra::statrender {

class PopupWindow : public QWidget
{
public:
    static constexpr double kFrameTwips = 375;

    // `clientWidth` and `clientHeight`: the designed client size in twips.
    PopupWindow(QWidget *owner, const QString &caption, double clientWidth, double clientHeight);

    double Height() const { return m_heightTwips; }
    void setHeight(double twips);
    double clientWidthTwips() const { return m_clientWidthTwips; }

    // Left and Top of the window in twips from the screen's top left corner.
    void moveTwips(double left, double top);

private:
    double m_clientWidthTwips = 0;
    double m_heightTwips = 0;
};

} // namespace veltra::statrender
