#pragma once
// ComPSY.ExcelOutMode: the spreadsheet export mode (51). Entered from the
// layout chooser's "作成", it asks for a dragged range of the map; on the
// range it takes the engine's picture of it at the current scale, fills a
// copy of the chosen template (gstrExcelTemplate) as the data folder's
// ExcelTemp\Veltra.xlsx: the title (gstrExcelTitle) into "タイトル欄", the
// map picture at "地図描画域" and the legend picture at "凡例描画域", both
// placeholders removed; then brings the chooser back and opens the workbook.
//
// The mode stays 51 with the mouse mode back to 0 after an export: a further
// drag exports nothing until "作成" enters the mode again; closing the
// chooser leaves the mode. The map's centre and scale are the same after the
// range as before it, whatever happened. A failure (the template missing, no
// picture, a workbook that cannot be read or written) says why, opens
// nothing and leaves the previous output workbook as it was. A step about one
// shape that the template lacks is skipped. Pictures go straight into the
// workbook; the clipboard is not used.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

// Acts on StateEnter and StateRect; other states do nothing.
void ExcelOutMode(std::int16_t &state, zorvik::Zorvik *engine);

} // namespace ComPSY

namespace veltra::statrender {

// The legend picture of the last statistics map, as the main frame keeps it
// (its picHanrei); a null image when there is none. Without a source set
// there is no legend picture.
using LegendPictureSource = std::function<QImage()>;
void setLegendPictureSource(LegendPictureSource source);
QImage legendPicture();

// The workbook part of the export: the template filled with the title and
// the two PNG pictures (an empty legend puts nothing there; its placeholder
// goes all the same), written to `output` through a temporary file. False
// with the reason when the template cannot be read or the output written;
// a shape the template lacks only skips its step.
bool fillExcelTemplate(const QString &templatePath, const QString &output, const QString &title,
    const QByteArray &mapPng, const QByteArray &legendPng, QString *error);

} // namespace veltra::statrender
