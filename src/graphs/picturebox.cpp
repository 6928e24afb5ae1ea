#include "graphs/picturebox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent)
    , m_backColor(palette().color(QPalette::Window))
    , m_canvas(m_image, font())
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAttribute(Qt::WA_OpaquePaintEvent);
    fitImage();
}

const QImage &PictureBox::image() const
{
    fitImage();
    return m_image;
}

GraphCanvas &PictureBox::canvas()
{
    fitImage();
    return m_canvas;
}

GraphBox PictureBox::clientRect() const
{
    fitImage();
    return {0, 0, m_image.width(), m_image.height()};
}

std::int16_t PictureBox::BorderStyle() const
{
    return frameShape() == QFrame::NoFrame ? 0 : 1;
}

void PictureBox::setBorderStyle(std::int16_t style)
{
    setFrameStyle(style == 0 ? QFrame::NoFrame : (QFrame::Box | QFrame::Plain));
    fitImage();
}

void PictureBox::setBackColor(const QColor &colour)
{
    m_backColor = colour;
    Cls();
}

void PictureBox::Cls()
{
    fitImage();
    m_image.fill(m_backColor);
    update();
}

void PictureBox::setPicture(const QImage &picture)
{
    // The picture may be this box's own image (copying the drawing into
    // the persistent picture): keep it apart before the fill.
    const QImage source = picture;
    fitImage();
    m_image.fill(m_backColor);
    QPainter painter(&m_image);
    painter.drawImage(0, 0, source);
    painter.end();
    update();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), image());
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    fitImage();
}

void PictureBox::fitImage() const
{
    const QSize size = contentsRect().size().expandedTo(QSize(0, 0));
    if (m_image.size() == size)
        return;
    QImage next(size, QImage::Format_RGB32);
    next.fill(m_backColor);
    if (!m_image.isNull()) {
        QPainter painter(&next);
        painter.drawImage(0, 0, m_image);
    }
    m_image = std::move(next);
}
