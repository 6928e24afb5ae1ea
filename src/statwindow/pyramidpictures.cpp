#include "statwindow/pyramidpictures.h"

#include "graphs/clsdrawgraph.h"
#include "graphs/picturebox.h"
#include "platform/fs/fs.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/currency.h"
#include "platform/vb/errors.h"

#include <QBuffer>
#include <QImage>

namespace veltra::statwindow {

namespace {

// Sub-item texts of the pyramid item.
constexpr std::size_t TextPath = 0;
constexpr std::size_t TextClassCount = 3;
constexpr std::size_t TextLeftName = 7;
constexpr std::size_t TextRightName = 8;

// Single-year age items fill their bars without an outline.
const QString SingleYearItem = QStringLiteral("年齢各歳別(男女別)");

QString textAt(const std::vector<QString> &texts, std::size_t i)
{
    return i < texts.size() ? texts[i] : QString();
}

double at(const std::vector<double> &series, std::size_t j)
{
    return j < series.size() ? series[j] : 0;
}

vb::Currency sumOf(const std::vector<double> &series, std::int32_t classCount)
{
    vb::Currency total;
    for (std::int32_t j = 1; j <= classCount; ++j)
        total = total + vb::cCur(at(series, static_cast<std::size_t>(j)));
    return total;
}

// A class value as a share of its total, to four decimals.
double shareOf(double value, vb::Currency total)
{
    if (total == vb::Currency())
        return 0;
    return vb::cCur(value / total.toDouble() * 100).toDouble();
}

// Starts a pyramid on a cleared picture: the two series, nothing drawn yet.
void startPyramid(clsDrawGraph &graph, PictureBox &picture, const PyramidPictureSource &source)
{
    picture.Cls();
    graph.Clear();
    graph.setAutoRedraw(false);
    graph.AddSegment(0, textAt(source.itemTexts, TextLeftName), source.leftColor, 0);
    graph.AddSegment(0, textAt(source.itemTexts, TextRightName), source.rightColor, 0);
}

void drawPyramid(
    clsDrawGraph &graph, GraphCanvas &canvas, PictureBox &picture, const PyramidPictureSource &source)
{
    const bool sizeFrame = !textAt(source.itemTexts, TextPath).contains(SingleYearItem);
    graph.DrawPyramid(&canvas, &picture, source.expressionKind, source.habaMax, sizeFrame, false);
    graph.setAutoRedraw(true);
}

void savePicture(const QImage &image, const QString &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString error;
    if (!image.save(&buffer, "BMP") || !fs::writeFileAtomic(path, bytes, &error))
        throw vb::FileError(
            QStringLiteral("ピラミッドの画像を保存できません：%1\n%2").arg(path, error).toStdString());
}

} // namespace

PyramidPlan pyramidPlan(const StatArea &area, std::int32_t classCount, std::int32_t expressionKind)
{
    PyramidPlan plan;
    const vb::Currency left = sumOf(area.ManValue, classCount);
    const vb::Currency right = sumOf(area.WomanValue, classCount);
    plan.leftTotal = left.toDouble();
    plan.rightTotal = right.toDouble();
    for (std::int32_t j = 1; j <= classCount; ++j) {
        const auto c = static_cast<std::size_t>(j);
        if (c >= area.DataFlag.size() || area.DataFlag[c] != StatFlagRead)
            plan.drawable = false;
        double l = at(area.ManValue, c);
        double r = at(area.WomanValue, c);
        if (expressionKind != 0) {
            l = shareOf(l, left);
            r = shareOf(r, right);
        }
        plan.rows.emplace_back(l, r);
    }
    return plan;
}

std::vector<std::pair<double, double>> pyramidSummary(
    const std::vector<StatArea> &records, std::int32_t classCount, std::int32_t expressionKind)
{
    vb::Currency grandLeft;
    vb::Currency grandRight;
    if (expressionKind == 1) {
        for (std::size_t i = 1; i < records.size(); ++i) {
            grandLeft = grandLeft + sumOf(records[i].ManValue, classCount);
            grandRight = grandRight + sumOf(records[i].WomanValue, classCount);
        }
    }
    std::vector<std::pair<double, double>> rows;
    for (std::int32_t j = 1; j <= classCount; ++j) {
        vb::Currency left;
        vb::Currency right;
        for (std::size_t i = 1; i < records.size(); ++i) {
            left = left + vb::cCur(at(records[i].ManValue, static_cast<std::size_t>(j)));
            right = right + vb::cCur(at(records[i].WomanValue, static_cast<std::size_t>(j)));
        }
        if (expressionKind != 0)
            rows.emplace_back(shareOf(left.toDouble(), grandLeft), shareOf(right.toDouble(), grandRight));
        else
            rows.emplace_back(left.toDouble(), right.toDouble());
    }
    return rows;
}

void makePyramidPictures(std::vector<StatArea> &records, const PyramidPictureSource &source,
    clsDrawGraph &graph, GraphCanvas &canvas, PictureBox &picture)
{
    const auto classCount = static_cast<std::int32_t>(textAt(source.itemTexts, TextClassCount).toInt());
    for (std::size_t i = 1; i < records.size(); ++i) {
        ui::DoEvents();
        StatArea &area = records[i];
        const PyramidPlan plan = pyramidPlan(area, classCount, source.expressionKind);
        startPyramid(graph, picture, source);
        for (const auto &[left, right] : plan.rows)
            graph.AddPyramidSegment(left, right);
        if (plan.drawable)
            drawPyramid(graph, canvas, picture, source);
        picture.setPicture(picture.image());

        const QString name = area.AreaCode + QStringLiteral(".bmp");
        const QString path = source.pictureFolder + name;
        if (plan.drawable) {
            savePicture(picture.image(), fs::resolve(path));
        } else if (!fs::deleteFiles(path)) {
            throw vb::FileError(
                QStringLiteral("以前のピラミッドの画像を削除できません：%1").arg(path).toStdString());
        }

        area.Value.resize(std::max<std::size_t>(area.Value.size(), 2));
        area.Value[1] = name;
        area.Value.resize(4);
        area.Value[2] = plan.leftTotal;
        area.Value[3] = plan.rightTotal;
    }

    if (!source.summary)
        return;
    startPyramid(graph, picture, source);
    for (const auto &[left, right] : pyramidSummary(records, classCount, source.expressionKind))
        graph.AddPyramidSegment(left, right);
    drawPyramid(graph, canvas, picture, source);
}

} // namespace veltra::statwindow
