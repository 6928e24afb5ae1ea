#include "platform/spreadsheet/workbook.h"

#include <QDir>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <pugixml.hpp>
#include <string>

namespace veltra::spreadsheet {

namespace {

const char kNsDrawingMain[] = "http://schemas.openxmlformats.org/drawingml/2006/main";
const char kNsRelationships[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char kNsPackageRels[] = "http://schemas.openxmlformats.org/package/2006/relationships";
const char kRelImage[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";

const unsigned kParse = pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single;

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString malformed(const QString &path)
{
    return QStringLiteral("ブックの形式が正しくありません: %1").arg(QDir::toNativeSeparators(path));
}

QString noShape(const QString &name)
{
    return QStringLiteral("図形「%1」がありません。").arg(name);
}

// Element and attribute names without their namespace prefix: files written
// by other programs may bind the usual namespaces to other prefixes.
const char *localName(const char *name)
{
    const char *colon = std::strchr(name, ':');
    return colon ? colon + 1 : name;
}

bool isNamed(const pugi::xml_node &node, const char *local)
{
    return node.type() == pugi::node_element && std::strcmp(localName(node.name()), local) == 0;
}

pugi::xml_node child(const pugi::xml_node &node, const char *local)
{
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (isNamed(c, local))
            return c;
    }
    return {};
}

pugi::xml_attribute attribute(const pugi::xml_node &node, const char *local)
{
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        if (std::strcmp(localName(a.name()), local) == 0 && std::strncmp(a.name(), "xmlns", 5) != 0)
            return a;
    }
    return {};
}

// The prefix ("a:", or "" for the default namespace) the root binds to
// `uri`; the namespace is declared with `preferred` when the root lacks it.
std::string prefixFor(pugi::xml_node root, const char *uri, const char *preferred)
{
    for (pugi::xml_attribute a = root.first_attribute(); a; a = a.next_attribute()) {
        if (std::strcmp(a.value(), uri) != 0)
            continue;
        if (std::strcmp(a.name(), "xmlns") == 0)
            return {};
        if (std::strncmp(a.name(), "xmlns:", 6) == 0)
            return std::string(a.name() + 6) + ':';
    }
    root.append_attribute((std::string("xmlns:") + preferred).c_str()) = uri;
    return std::string(preferred) + ':';
}

std::string prefixOf(const pugi::xml_node &node)
{
    const char *colon = std::strchr(node.name(), ':');
    return colon ? std::string(node.name(), colon) + ':' : std::string();
}

bool parse(const QByteArray &bytes, pugi::xml_document &doc)
{
    return !bytes.isEmpty() && doc.load_buffer(bytes.constData(), size_t(bytes.size()), kParse, pugi::encoding_auto)
        && doc.document_element();
}

QByteArray serialize(const pugi::xml_document &doc)
{
    struct Writer : pugi::xml_writer
    {
        QByteArray out;
        void write(const void *data, size_t size) override { out.append(static_cast<const char *>(data), qsizetype(size)); }
    } writer;
    doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return writer.out;
}

void addDeclaration(pugi::xml_document &doc)
{
    pugi::xml_node decl = doc.prepend_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    decl.append_attribute("standalone") = "yes";
}

struct Relationship
{
    QString id;
    QString type;
    QString target; // resolved part name; empty for an external target
};

bool readRelationships(const Package &package, const QString &sourcePart, std::vector<Relationship> &out)
{
    out.clear();
    const QString relsPart = relationshipsPartOf(sourcePart);
    if (!package.hasPart(relsPart))
        return true;
    pugi::xml_document doc;
    if (!parse(package.part(relsPart), doc))
        return false;
    for (pugi::xml_node r = doc.document_element().first_child(); r; r = r.next_sibling()) {
        if (!isNamed(r, "Relationship"))
            continue;
        const bool external = QString::fromUtf8(r.attribute("TargetMode").value()) == QLatin1String("External");
        const QString target = QString::fromUtf8(r.attribute("Target").value());
        out.push_back({QString::fromUtf8(r.attribute("Id").value()), QString::fromUtf8(r.attribute("Type").value()),
            external ? QString() : resolveTarget(sourcePart, target)});
    }
    return true;
}

const Relationship *findById(const std::vector<Relationship> &rels, const QString &id)
{
    for (const Relationship &r : rels) {
        if (r.id == id)
            return &r;
    }
    return nullptr;
}

const Relationship *findByType(const std::vector<Relationship> &rels, const char *typeSuffix)
{
    for (const Relationship &r : rels) {
        if (r.type.endsWith(QLatin1String(typeSuffix)) && !r.target.isEmpty())
            return &r;
    }
    return nullptr;
}

// The drawing object of an anchor (shape, picture, group, frame, connector).
pugi::xml_node objectOf(const pugi::xml_node &anchor)
{
    for (pugi::xml_node c = anchor.first_child(); c; c = c.next_sibling()) {
        if (isNamed(c, "sp") || isNamed(c, "pic") || isNamed(c, "grpSp") || isNamed(c, "graphicFrame")
            || isNamed(c, "cxnSp"))
            return c;
    }
    return {};
}

pugi::xml_node nonVisualPropertiesOf(const pugi::xml_node &object)
{
    // nvSpPr, nvPicPr, nvGrpSpPr, nvGraphicFramePr, nvCxnSpPr: the first child.
    for (pugi::xml_node c = object.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element)
            return child(c, "cNvPr");
    }
    return {};
}

bool isAnchor(const pugi::xml_node &node)
{
    return isNamed(node, "twoCellAnchor") || isNamed(node, "oneCellAnchor") || isNamed(node, "absoluteAnchor");
}

qint64 numberIn(const pugi::xml_node &parent, const char *local)
{
    return QByteArray(child(parent, local).text().get()).trimmed().toLongLong();
}

QString textOf(const pugi::xml_node &txBody)
{
    QStringList paragraphs;
    for (pugi::xml_node p = txBody.first_child(); p; p = p.next_sibling()) {
        if (!isNamed(p, "p"))
            continue;
        QString line;
        for (pugi::xml_node r = p.first_child(); r; r = r.next_sibling()) {
            if (isNamed(r, "r") || isNamed(r, "fld"))
                line += QString::fromUtf8(child(r, "t").text().get());
            else if (isNamed(r, "br"))
                line += QLatin1Char('\n');
        }
        paragraphs << line;
    }
    return paragraphs.join(QLatin1Char('\n'));
}

void collectRelationshipIds(const pugi::xml_node &node, QStringList &ids)
{
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        const char *local = localName(a.name());
        if (std::strchr(a.name(), ':') && std::strncmp(a.name(), "xmlns", 5) != 0
            && (!std::strcmp(local, "embed") || !std::strcmp(local, "link") || !std::strcmp(local, "id")))
            ids << QString::fromUtf8(a.value());
    }
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        collectRelationshipIds(c, ids);
}

// Pixels of a column width given in characters of the default font's
// maximum digit width (7 px at 96 dpi) with its 5 px of padding.
double columnPixels(double characters)
{
    return characters <= 0 ? 0.0 : double(std::lround(characters * 7 + 5));
}

// Distance from the grid's origin to line `index` of a grid whose lines are
// `standard` apart except those listed in `custom`.
double gridOffset(int index, double standard, const std::map<int, double> &custom)
{
    double at = double(index) * standard;
    for (auto it = custom.begin(); it != custom.end() && it->first < index; ++it)
        at += it->second - standard;
    return at;
}

SheetPage readPage(const pugi::xml_node &sheet)
{
    SheetPage page;
    const pugi::xml_node format = child(sheet, "sheetFormatPr");
    if (const pugi::xml_attribute w = format.attribute("defaultColWidth"))
        page.defaultColumnWidth = columnPixels(w.as_double());
    else if (const pugi::xml_attribute base = format.attribute("baseColWidth"))
        page.defaultColumnWidth = std::ceil((base.as_double() * 7 + 5) / 8) * 8; // whole bytes of 8 px
    if (const pugi::xml_attribute h = format.attribute("defaultRowHeight"))
        page.defaultRowHeight = h.as_double() * 96 / 72;
    for (pugi::xml_node c = child(child(sheet, "cols"), "col"); c; c = c.next_sibling()) {
        if (!isNamed(c, "col"))
            continue;
        const double px
            = c.attribute("hidden").as_bool() ? 0.0 : columnPixels(c.attribute("width").as_double());
        // A range beyond the used columns is the rest of the sheet: cap it.
        const int last = std::min(c.attribute("max").as_int(), 16384);
        for (int n = std::max(1, c.attribute("min").as_int()); n <= last; ++n)
            page.columnWidths[n - 1] = px;
    }
    for (pugi::xml_node r = child(child(sheet, "sheetData"), "row"); r; r = r.next_sibling()) {
        if (!isNamed(r, "row") || r.attribute("r").as_int() < 1)
            continue;
        if (r.attribute("hidden").as_bool())
            page.rowHeights[r.attribute("r").as_int() - 1] = 0;
        else if (const pugi::xml_attribute ht = r.attribute("ht"))
            page.rowHeights[r.attribute("r").as_int() - 1] = ht.as_double() * 96 / 72;
    }
    const pugi::xml_node margins = child(sheet, "pageMargins");
    if (margins) {
        page.margins
            = QMarginsF(margins.attribute("left").as_double(0.7), margins.attribute("top").as_double(0.75),
                margins.attribute("right").as_double(0.7), margins.attribute("bottom").as_double(0.75));
    }
    page.horizontalCentered = child(sheet, "printOptions").attribute("horizontalCentered").as_bool();
    const pugi::xml_node setup = child(sheet, "pageSetup");
    page.landscape = std::strcmp(setup.attribute("orientation").value(), "landscape") == 0;
    if (setup.attribute("paperSize").as_int() == 1)
        page.paper = QSizeF(8.5, 11);
    return page;
}

} // namespace

QSizeF SheetPage::orientedPaper() const
{
    return landscape ? paper.transposed() : paper;
}

QPointF SheetPage::pointOf(const CellAnchor &anchor) const
{
    return QPointF(gridOffset(anchor.column, defaultColumnWidth, columnWidths)
            + double(anchor.columnOffset) / kEmuPerPixel,
        gridOffset(anchor.row, defaultRowHeight, rowHeights) + double(anchor.rowOffset) / kEmuPerPixel);
}

std::optional<std::pair<int, int>> pngSize(const QByteArray &png)
{
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    if (png.size() < 33 || !png.startsWith(QByteArray::fromRawData(signature, 8)) || png.mid(12, 4) != "IHDR")
        return std::nullopt;
    const auto be32 = [&](int at) {
        const auto *b = reinterpret_cast<const unsigned char *>(png.constData()) + at;
        return (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | quint32(b[3]);
    };
    const quint32 w = be32(16);
    const quint32 h = be32(20);
    // PNG allows 2^31 - 1; a picture that wide is no map we can place.
    if (w == 0 || h == 0 || w > 1000000 || h > 1000000)
        return std::nullopt;
    return std::pair<int, int>(int(w), int(h));
}

Workbook::Workbook() = default;
Workbook::~Workbook() = default;

bool Workbook::open(const QString &path, QString *error)
{
    m_drawingPart.clear();
    m_drawing.reset();
    m_drawingRels.reset();
    m_contentTypes.reset();
    m_drawingRelsChanged = m_contentTypesChanged = false;
    m_page = SheetPage{};
    if (!m_package.load(path, error))
        return false;

    auto contentTypes = std::make_unique<pugi::xml_document>();
    std::vector<Relationship> rels;
    const Relationship *office = nullptr;
    if (!parse(m_package.part(QStringLiteral("[Content_Types].xml")), *contentTypes)
        || !readRelationships(m_package, QString(), rels) || !(office = findByType(rels, "/officeDocument"))) {
        setError(error, malformed(path));
        return false;
    }
    const QString workbookPart = office->target;
    pugi::xml_document workbook;
    std::vector<Relationship> workbookRels;
    if (!parse(m_package.part(workbookPart), workbook) || !readRelationships(m_package, workbookPart, workbookRels)) {
        setError(error, malformed(path));
        return false;
    }
    // The first worksheet: the first entry of <sheets> that is a worksheet
    // (chart sheets are listed there too).
    QString sheetPart;
    for (pugi::xml_node s = child(child(workbook.document_element(), "sheets"), "sheet"); s && sheetPart.isEmpty();
         s = s.next_sibling()) {
        const Relationship *r = findById(workbookRels, QString::fromUtf8(attribute(s, "id").value()));
        if (isNamed(s, "sheet") && r && r->type.endsWith(QLatin1String("/worksheet")) && !r->target.isEmpty())
            sheetPart = r->target;
    }
    pugi::xml_document sheet;
    std::vector<Relationship> sheetRels;
    if (sheetPart.isEmpty() || !parse(m_package.part(sheetPart), sheet)
        || !readRelationships(m_package, sheetPart, sheetRels)) {
        setError(error, malformed(path));
        return false;
    }
    m_contentTypes = std::move(contentTypes);
    m_page = readPage(sheet.document_element());

    const pugi::xml_node drawingRef = child(sheet.document_element(), "drawing");
    const Relationship *drawing = drawingRef ? findById(sheetRels, QString::fromUtf8(attribute(drawingRef, "id").value()))
                                             : nullptr;
    if (!drawing || drawing->target.isEmpty())
        return true;
    m_drawing = std::make_unique<pugi::xml_document>();
    m_drawingRels = std::make_unique<pugi::xml_document>();
    if (!parse(m_package.part(drawing->target), *m_drawing)) {
        m_drawing.reset();
        setError(error, malformed(path));
        return false;
    }
    const QString relsPart = relationshipsPartOf(drawing->target);
    if (m_package.hasPart(relsPart)) {
        if (!parse(m_package.part(relsPart), *m_drawingRels)) {
            m_drawing.reset();
            setError(error, malformed(path));
            return false;
        }
    } else {
        addDeclaration(*m_drawingRels);
        m_drawingRels->append_child("Relationships").append_attribute("xmlns") = kNsPackageRels;
    }
    m_drawingPart = drawing->target;
    return true;
}

std::vector<Shape> Workbook::shapes() const
{
    std::vector<Shape> out;
    if (!m_drawing)
        return out;
    for (pugi::xml_node anchor = m_drawing->document_element().first_child(); anchor;
         anchor = anchor.next_sibling()) {
        if (!isAnchor(anchor))
            continue;
        const pugi::xml_node object = objectOf(anchor);
        if (!object)
            continue;
        Shape shape;
        shape.name = QString::fromUtf8(nonVisualPropertiesOf(object).attribute("name").value());
        shape.picture = isNamed(object, "pic");
        if (const pugi::xml_node from = child(anchor, "from")) {
            shape.from = CellAnchor{int(numberIn(from, "col")), int(numberIn(from, "row")), numberIn(from, "colOff"),
                numberIn(from, "rowOff")};
        }
        if (const pugi::xml_node to = child(anchor, "to")) {
            shape.to = CellAnchor{int(numberIn(to, "col")), int(numberIn(to, "row")), numberIn(to, "colOff"),
                numberIn(to, "rowOff")};
        }
        if (const pugi::xml_node ext = child(anchor, "ext")) {
            shape.width = ext.attribute("cx").as_llong();
            shape.height = ext.attribute("cy").as_llong();
        }
        if (const pugi::xml_node body = child(object, "txBody")) {
            shape.hasTextBody = true;
            shape.text = textOf(body);
        }
        out.push_back(shape);
    }
    return out;
}

std::optional<Shape> Workbook::shape(const QString &name) const
{
    for (const Shape &s : shapes()) {
        if (s.name == name)
            return s;
    }
    return std::nullopt;
}

pugi::xml_node Workbook::anchorOf(const QString &name) const
{
    if (!m_drawing)
        return {};
    const QByteArray wanted = name.toUtf8();
    for (pugi::xml_node anchor = m_drawing->document_element().first_child(); anchor;
         anchor = anchor.next_sibling()) {
        if (isAnchor(anchor) && wanted == nonVisualPropertiesOf(objectOf(anchor)).attribute("name").value())
            return anchor;
    }
    return {};
}

bool Workbook::findAnchor(const QString &name, pugi::xml_node &anchor, QString *error) const
{
    anchor = anchorOf(name);
    if (!anchor)
        setError(error, noShape(name));
    return bool(anchor);
}

bool Workbook::setShapeText(const QString &name, const QString &text, QString *error)
{
    pugi::xml_node anchor;
    if (!findAnchor(name, anchor, error))
        return false;
    const pugi::xml_node object = objectOf(anchor);
    pugi::xml_node body = child(object, "txBody");
    if (!isNamed(object, "sp") || !body) {
        setError(error, QStringLiteral("図形「%1」には文字を入れられません。").arg(name));
        return false;
    }
    const std::string a = prefixFor(m_drawing->document_element(), kNsDrawingMain, "a");
    // The look of the new text: the first paragraph's properties and the
    // first run's (or, in an empty paragraph, those of its end).
    pugi::xml_document keep;
    const pugi::xml_node firstParagraph = child(body, "p");
    const pugi::xml_node pPr = keep.append_copy(child(firstParagraph, "pPr"));
    pugi::xml_node rPr = keep.append_copy(child(child(firstParagraph, "r"), "rPr"));
    if (!rPr)
        rPr = keep.append_copy(child(firstParagraph, "endParaRPr"));

    for (pugi::xml_node p = body.first_child(); p;) {
        const pugi::xml_node next = p.next_sibling();
        if (isNamed(p, "p"))
            body.remove_child(p);
        p = next;
    }
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString &line : normalized.split(QLatin1Char('\n'))) {
        pugi::xml_node p = body.append_child((a + "p").c_str());
        if (pPr)
            p.append_copy(pPr);
        if (!line.isEmpty()) {
            pugi::xml_node r = p.append_child((a + "r").c_str());
            if (rPr)
                r.append_copy(rPr).set_name((a + "rPr").c_str());
            r.append_child((a + "t").c_str()).text() = line.toUtf8().constData();
        } else if (rPr) {
            p.append_copy(rPr).set_name((a + "endParaRPr").c_str());
        }
    }
    return true;
}

QString Workbook::newMediaPart() const
{
    const QString folder = resolveTarget(m_drawingPart, QStringLiteral("../media/x")).chopped(1);
    for (int n = 1;; ++n) {
        const QString name = folder + QStringLiteral("image%1.png").arg(n);
        if (!m_package.hasPart(name))
            return name;
    }
}

QString Workbook::newRelationshipId() const
{
    QSet<QString> used;
    for (pugi::xml_node r = m_drawingRels->document_element().first_child(); r; r = r.next_sibling())
        used.insert(QString::fromUtf8(r.attribute("Id").value()));
    for (int n = 1;; ++n) {
        const QString id = QStringLiteral("rId%1").arg(n);
        if (!used.contains(id))
            return id;
    }
}

int Workbook::newShapeId() const
{
    int top = 0;
    for (const pugi::xpath_node &n : m_drawing->select_nodes("//*[local-name()='cNvPr']"))
        top = std::max(top, n.node().attribute("id").as_int());
    return top + 1;
}

bool Workbook::insertPicture(const QString &atShape, const QByteArray &png, const QString &pictureName, QString *error)
{
    pugi::xml_node at;
    if (!findAnchor(atShape, at, error))
        return false;
    const auto size = pngSize(png);
    if (!size) {
        setError(error, QStringLiteral("画像がPNG形式ではありません。"));
        return false;
    }
    const qint64 cx = size->first * kEmuPerPixel;
    const qint64 cy = size->second * kEmuPerPixel;

    // The media part, its relationship from the drawing and its content type.
    const QString media = newMediaPart();
    const QString id = newRelationshipId();
    m_package.setPart(media, png);
    pugi::xml_node rel = m_drawingRels->document_element().append_child(
        (prefixOf(m_drawingRels->document_element()) + "Relationship").c_str());
    rel.append_attribute("Id") = id.toUtf8().constData();
    rel.append_attribute("Type") = kRelImage;
    rel.append_attribute("Target") = ("../media/" + media.mid(media.lastIndexOf(QLatin1Char('/')) + 1)).toUtf8().constData();
    m_drawingRelsChanged = true;
    bool pngKnown = false;
    for (pugi::xml_node d = m_contentTypes->document_element().first_child(); d; d = d.next_sibling()) {
        if (isNamed(d, "Default") && QString::fromUtf8(d.attribute("Extension").value()).compare(QLatin1String("png"), Qt::CaseInsensitive) == 0)
            pngKnown = true;
    }
    if (!pngKnown) {
        pugi::xml_node root = m_contentTypes->document_element();
        pugi::xml_node d = root.prepend_child((prefixOf(root) + "Default").c_str());
        d.append_attribute("Extension") = "png";
        d.append_attribute("ContentType") = "image/png";
        m_contentTypesChanged = true;
    }

    // A picture anchored at one cell (or at the same absolute place), on top.
    pugi::xml_node root = m_drawing->document_element();
    const std::string xdr = prefixOf(root);
    const std::string a = prefixFor(root, kNsDrawingMain, "a");
    const std::string r = prefixFor(root, kNsRelationships, "r");
    const auto number = [](qint64 v) { return std::to_string(v); };
    const bool absolute = isNamed(at, "absoluteAnchor");
    pugi::xml_node anchor = root.append_child((xdr + (absolute ? "absoluteAnchor" : "oneCellAnchor")).c_str());
    anchor.append_copy(child(at, absolute ? "pos" : "from"));
    pugi::xml_node ext = anchor.append_child((xdr + "ext").c_str());
    ext.append_attribute("cx") = number(cx).c_str();
    ext.append_attribute("cy") = number(cy).c_str();

    pugi::xml_node pic = anchor.append_child((xdr + "pic").c_str());
    pugi::xml_node nv = pic.append_child((xdr + "nvPicPr").c_str());
    pugi::xml_node cNvPr = nv.append_child((xdr + "cNvPr").c_str());
    cNvPr.append_attribute("id") = newShapeId();
    cNvPr.append_attribute("name") = pictureName.toUtf8().constData();
    nv.append_child((xdr + "cNvPicPr").c_str())
        .append_child((a + "picLocks").c_str())
        .append_attribute("noChangeAspect") = "1";
    pugi::xml_node fill = pic.append_child((xdr + "blipFill").c_str());
    fill.append_child((a + "blip").c_str()).append_attribute((r + "embed").c_str()) = id.toUtf8().constData();
    fill.append_child((a + "stretch").c_str()).append_child((a + "fillRect").c_str());
    pugi::xml_node spPr = pic.append_child((xdr + "spPr").c_str());
    pugi::xml_node xfrm = spPr.append_child((a + "xfrm").c_str());
    pugi::xml_node off = xfrm.append_child((a + "off").c_str());
    off.append_attribute("x") = "0";
    off.append_attribute("y") = "0";
    pugi::xml_node xext = xfrm.append_child((a + "ext").c_str());
    xext.append_attribute("cx") = number(cx).c_str();
    xext.append_attribute("cy") = number(cy).c_str();
    pugi::xml_node geometry = spPr.append_child((a + "prstGeom").c_str());
    geometry.append_attribute("prst") = "rect";
    geometry.append_child((a + "avLst").c_str());
    anchor.append_child((xdr + "clientData").c_str());
    return true;
}

bool Workbook::deleteShape(const QString &name, QString *error)
{
    pugi::xml_node anchor;
    if (!findAnchor(name, anchor, error))
        return false;
    QStringList ids;
    collectRelationshipIds(anchor, ids);
    anchor.parent().remove_child(anchor);
    dropUnusedRelationships(ids);
    return true;
}

void Workbook::dropUnusedRelationships(const QStringList &ids)
{
    QStringList stillUsed;
    collectRelationshipIds(m_drawing->document_element(), stillUsed);
    QStringList droppedTargets;
    pugi::xml_node rels = m_drawingRels->document_element();
    for (pugi::xml_node r = rels.first_child(); r;) {
        const pugi::xml_node next = r.next_sibling();
        const QString id = QString::fromUtf8(r.attribute("Id").value());
        if (ids.contains(id) && !stillUsed.contains(id)) {
            if (QString::fromUtf8(r.attribute("TargetMode").value()) != QLatin1String("External"))
                droppedTargets << resolveTarget(m_drawingPart, QString::fromUtf8(r.attribute("Target").value()));
            rels.remove_child(r);
            m_drawingRelsChanged = true;
        }
        r = next;
    }
    if (droppedTargets.isEmpty())
        return;
    // A part is removed only when no relationship of the package (the
    // drawing's own, as it now stands, included) still points at it.
    QSet<QString> targeted;
    for (pugi::xml_node r = rels.first_child(); r; r = r.next_sibling())
        targeted.insert(resolveTarget(m_drawingPart, QString::fromUtf8(r.attribute("Target").value())));
    const QString drawingRels = relationshipsPartOf(m_drawingPart);
    for (const QString &part : m_package.partNames()) {
        if (!part.endsWith(QLatin1String(".rels")) || part == drawingRels)
            continue;
        // "a/_rels/b.xml.rels" belongs to "a/b.xml".
        QString source = part;
        source.chop(5);
        source.remove(QStringLiteral("_rels/"));
        std::vector<Relationship> list;
        if (!readRelationships(m_package, source, list))
            return; // unreadable: keep every part rather than guess
        for (const Relationship &r : list)
            targeted.insert(r.target);
    }
    for (const QString &target : droppedTargets) {
        if (targeted.contains(target) || !m_package.hasPart(target))
            continue;
        m_package.removePart(target);
        const QByteArray partName = ('/' + target).toUtf8();
        pugi::xml_node types = m_contentTypes->document_element();
        for (pugi::xml_node o = types.first_child(); o;) {
            const pugi::xml_node next = o.next_sibling();
            if (isNamed(o, "Override") && partName == o.attribute("PartName").value()) {
                types.remove_child(o);
                m_contentTypesChanged = true;
            }
            o = next;
        }
    }
}

bool Workbook::save(const QString &path, QString *error)
{
    if (!m_contentTypes) {
        setError(error, QStringLiteral("ブックが開かれていません。"));
        return false;
    }
    if (m_drawing) {
        m_package.setPart(m_drawingPart, serialize(*m_drawing));
        const QString relsPart = relationshipsPartOf(m_drawingPart);
        if (m_drawingRelsChanged) {
            if (m_drawingRels->document_element().first_child())
                m_package.setPart(relsPart, serialize(*m_drawingRels));
            else
                m_package.removePart(relsPart);
        }
    }
    if (m_contentTypesChanged)
        m_package.setPart(QStringLiteral("[Content_Types].xml"), serialize(*m_contentTypes));
    return m_package.save(path, error);
}

} // namespace veltra::spreadsheet
