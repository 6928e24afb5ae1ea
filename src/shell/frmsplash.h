#pragma once
// frmSplash: the picture window shown while the program starts. A fixed,
// frameless square window (7635 by 7635 twips) centred on the screen, not
// shown in the task bar, holding the start picture: the program's own
// drawing of a map of Japan's islands in a grid, with the title.
#include <QDialog>
#include <QImage>

class QLabel;

class frmSplash : public QDialog
{
    Q_OBJECT
public:
    explicit frmSplash(QWidget *owner = nullptr);

    // The start picture (511 by 512 pixels), drawn in code.
    static QImage splashPicture(const QString &title);

    QLabel *Picture1 = nullptr;
};
