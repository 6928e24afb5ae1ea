#include "statdata/calctemplatemodel.h"

#include "platform/text/text.h"
#include "platform/vb/convert.h"
#include "platform/vb/errors.h"
#include "shellcore/mdlcommon_text.h"
#include "statdata/calctemplate.h"
#include "statdata/comcaldoratable.h"
#include "statdata/statfileformat.h"

#include <algorithm>

namespace veltra::statdata {

namespace {

// Item lists are read up to the first empty entry, at most this many.
constexpr int kMaxEntries = 32000;
constexpr int kFieldNameBytes = 64;

// The base name of an item-list path: after its last separator, without its
// extension.
QString baseNameOf(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    QString name = path.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > 0)
        name.truncate(dot);
    return name;
}

} // namespace

QString makeFieldName(const QString &text)
{
    QString name = text.trimmed();
    name.replace(u'-', QStringLiteral("～"));
    for (const QChar c : {u'.', u'!', u'\'', u'[', u']'}) {
        name = name.trimmed();
        name.replace(c, u' ');
    }
    // QString::replace scans left to right and never rescans what it wrote,
    // so three blanks in a row leave two.
    name = name.trimmed();
    name.replace(QStringLiteral("  "), QStringLiteral(" "));
    name = name.trimmed();
    name.replace(u' ', u'_');
    name = name.trimmed();
    return ComCaldoraTable::CutToByteLength(name, kFieldNameBytes);
}

const std::array<QString, 8> &calcOperators()
{
    static const std::array<QString, 8> operators{QStringLiteral("+"), QStringLiteral("-"),
        QStringLiteral("*"), QStringLiteral("/"), QStringLiteral("SUM("), QStringLiteral(":"),
        QStringLiteral("("), QStringLiteral(")")};
    return operators;
}

CalcTemplateModel::CalcTemplateModel()
{
    growStores(kInitialStoreRows);
}

void CalcTemplateModel::load(const QString &dataFolder)
{
    m_dataFolder = dataFolder;
    m_prefix = dataFolder + QStringLiteral("etc\\");
    m_statistics = QStringList{QString()};
    m_statisticsIndex = -1;
    fillAreaUnits(QString());
    const QString yearFile = m_prefix + yearFileName();
    QStringList lines;
    QString error;
    if (!text::readLines(yearFile, lines, &error))
        throw vb::FileError(error.toStdString());
    for (QString line : lines) {
        if (line.isEmpty())
            continue;
        std::vector<QString> fields;
        if (mdlCommon::SplitComma(line, fields) >= 2)
            m_statistics << fields[0];
    }
}

QString CalcTemplateModel::areaUnitOfLevel() const
{
    switch (m_anaRange) {
    case 0:
    case 1:
        return areaUnitPref();
    case 2:
        return areaUnitCity();
    case 3:
        return areaUnitTown();
    default:
        return {};
    }
}

// --- item lists ------------------------------------------------------------

QString CalcTemplateModel::itemListFile() const
{
    return m_prefix + m_statistics.value(m_statisticsIndex).trimmed() + QStringLiteral(".txt");
}

QStringList CalcTemplateModel::readEntries(const QString &section, const QString &file) const
{
    QStringList entries;
    for (int n = 1; n <= kMaxEntries; ++n) {
        QString value;
        mdlCommon::ReadIniString(section, entryKey(n), value, file);
        if (value.isEmpty())
            break;
        entries << value;
    }
    return entries;
}

void CalcTemplateModel::chooseStatistics(int index)
{
    if (index < 0 || index >= m_statistics.size())
        return;
    m_statisticsIndex = index;
    // The empty entry leaves no item list, so no units either.
    fillAreaUnits(m_statistics[index].trimmed().isEmpty() ? QString() : itemListFile());
}

void CalcTemplateModel::fillAreaUnits(const QString &itemListFile)
{
    m_areaUnits.clear();
    m_areaUnitIndex = -1;
    const QString unit = areaUnitOfLevel();
    if (!itemListFile.isEmpty() && !unit.isEmpty()) {
        for (const QString &entry : readEntries(itemListKindSection(), itemListFile)) {
            if (entry.trimmed() == unit)
                m_areaUnits << entry;
        }
    }
    m_areaUnitsEnabled = !m_areaUnits.isEmpty();
    m_dataKinds.clear();
    m_dataKindIndex = -1;
    m_dataKindsEnabled = false;
    m_items.clear();
    m_itemsEnabled = false;
    if (!m_areaUnits.isEmpty())
        chooseAreaUnit(0);
}

void CalcTemplateModel::chooseAreaUnit(int index)
{
    if (index < 0 || index >= m_areaUnits.size())
        return;
    m_areaUnitIndex = index;
    m_dataKinds.clear();
    m_dataKindIndex = -1;
    m_items.clear();
    m_itemsEnabled = false;
    if (!m_statistics.value(m_statisticsIndex).trimmed().isEmpty())
        m_dataKinds = readEntries(m_areaUnits[index], itemListFile());
    m_dataKindsEnabled = !m_dataKinds.isEmpty();
}

void CalcTemplateModel::chooseDataKind(int index)
{
    if (index < 0 || index >= m_dataKinds.size())
        return;
    m_dataKindIndex = index;
    m_items.clear();
    for (const QString &entry : readEntries(m_dataKinds[index], itemListFile())) {
        std::vector<QString> fields;
        mdlCommon::SplitQuoted(entry, fields, 1, QStringLiteral("\""), QStringLiteral(","));
        m_items << (fields.empty() ? QString() : fields.front());
    }
    m_itemsEnabled = !m_items.isEmpty();
}

void CalcTemplateModel::placeReference(int itemIndex)
{
    if (m_items.isEmpty() || m_dataKinds.isEmpty())
        return;
    const QString item = m_items.value(itemIndex);
    const QString kind = m_dataKinds.value(m_dataKindIndex);
    if (item.isEmpty() || kind.isEmpty())
        return;
    const QString unit = m_areaUnits.value(m_areaUnitIndex);
    const QString path = QStringLiteral("[") + unit + QStringLiteral("][") + kind + QStringLiteral("][")
        + item + QStringLiteral("]");
    m_referencePending = true;
    place(QStringLiteral("{") + path + QStringLiteral("}"));
    // A name the user typed stays; an empty one or a default "Field?" gives
    // way to the reference's name.
    QString &name = m_names[static_cast<std::size_t>(fieldRow())];
    if (name.isEmpty() || (name.size() == 6 && name.startsWith(QLatin1String("Field"))))
        name = makeFieldName(path);
}

void CalcTemplateModel::selectStatisticsOf(const QString &itemListFile)
{
    // The statistics whose item-list file this is: its base name first, so
    // that of 人口 and 人口2015, or of a name that is also a folder of the data
    // path, the right one is taken; a name inside the path only when no base
    // name matches (older templates may name the file differently).
    const QString base = baseNameOf(itemListFile);
    int found = -1;
    for (int i = 1; i < m_statistics.size() && found < 0; ++i) {
        if (m_statistics[i].trimmed().compare(base, Qt::CaseInsensitive) == 0)
            found = i;
    }
    for (int i = 1; i < m_statistics.size() && found < 0; ++i) {
        if (!m_statistics[i].isEmpty() && itemListFile.contains(m_statistics[i]))
            found = i;
    }
    if (found >= 0)
        chooseStatistics(found);
}

// --- fields ------------------------------------------------------------------

QString CalcTemplateModel::fieldName(int row) const
{
    if (row < 1 || row >= kNameRows)
        return {};
    return m_names[static_cast<std::size_t>(row)];
}

void CalcTemplateModel::setFieldName(int row, const QString &text)
{
    if (row < 1 || row >= kNameRows)
        return;
    m_names[static_cast<std::size_t>(row)] = makeFieldName(text);
}

void CalcTemplateModel::chooseField(int row)
{
    if (row < 1 || row - 1 >= kStoreColumns)
        return;
    m_field = row - 1;
    m_tokenRows = std::max(m_tokenRows, m_storeRows);
    m_cursor = 2;
}

// --- tokens ------------------------------------------------------------------

QString CalcTemplateModel::storedToken(int column, int row) const
{
    if (column < 0 || column >= kStoreColumns || row < 1 || row >= m_storeRows)
        return {};
    return m_tokens[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
}

QString CalcTemplateModel::storedFile(int column, int row) const
{
    if (column < 0 || column >= kStoreColumns || row < 1 || row >= m_storeRows)
        return {};
    return m_files[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
}

void CalcTemplateModel::growStores(int rows)
{
    if (rows <= m_storeRows && !m_tokens[0].empty())
        return;
    m_storeRows = std::max(m_storeRows, rows);
    for (int c = 0; c < kStoreColumns; ++c) {
        m_tokens[static_cast<std::size_t>(c)].resize(static_cast<std::size_t>(m_storeRows));
        m_files[static_cast<std::size_t>(c)].resize(static_cast<std::size_t>(m_storeRows));
    }
}

void CalcTemplateModel::setCursor(int row)
{
    if (row < 1 || row >= m_tokenRows)
        return;
    m_cursor = row;
    const QString file = tokenFile(row).trimmed();
    if (file.isEmpty() || file == itemListFile())
        return;
    // A reference taken from another item list brings its lists back.
    const QString found = resolveItemListFile(file, m_dataFolder);
    fillAreaUnits(found.isEmpty() ? file : found);
    selectStatisticsOf(file);
}

void CalcTemplateModel::place(const QString &token)
{
    growStores(m_tokenRows);
    const auto column = static_cast<std::size_t>(m_field);
    const auto row = static_cast<std::size_t>(m_cursor);
    m_tokens[column][row] = token;
    m_files[column][row] = m_referencePending ? itemListFile() : QString();
    m_referencePending = false;
    if (m_cursor == m_tokenRows - 1)
        ++m_tokenRows;
    ++m_cursor;
    growStores(m_tokenRows);
}

void CalcTemplateModel::placeOperator(int index)
{
    if (index < 0 || index >= static_cast<int>(calcOperators().size()))
        return;
    place(calcOperators()[static_cast<std::size_t>(index)]);
}

void CalcTemplateModel::deleteToken()
{
    growStores(m_tokenRows);
    auto &tokens = m_tokens[static_cast<std::size_t>(m_field)];
    auto &files = m_files[static_cast<std::size_t>(m_field)];
    const int last = m_tokenRows - 1;
    for (int r = m_cursor; r < last; ++r) {
        tokens[static_cast<std::size_t>(r)] = tokens[static_cast<std::size_t>(r) + 1];
        files[static_cast<std::size_t>(r)] = files[static_cast<std::size_t>(r) + 1];
    }
    tokens[static_cast<std::size_t>(last)].clear();
    files[static_cast<std::size_t>(last)].clear();
}

void CalcTemplateModel::insertToken()
{
    if (!token(m_tokenRows - 1).isEmpty())
        ++m_tokenRows;
    growStores(m_tokenRows);
    auto &tokens = m_tokens[static_cast<std::size_t>(m_field)];
    auto &files = m_files[static_cast<std::size_t>(m_field)];
    for (int r = m_tokenRows - 1; r > m_cursor; --r) {
        tokens[static_cast<std::size_t>(r)] = tokens[static_cast<std::size_t>(r) - 1];
        files[static_cast<std::size_t>(r)] = files[static_cast<std::size_t>(r) - 1];
    }
    tokens[static_cast<std::size_t>(m_cursor)].clear();
    files[static_cast<std::size_t>(m_cursor)].clear();
}

void CalcTemplateModel::clearField()
{
    auto &tokens = m_tokens[static_cast<std::size_t>(m_field)];
    auto &files = m_files[static_cast<std::size_t>(m_field)];
    std::fill(tokens.begin(), tokens.end(), QString());
    std::fill(files.begin(), files.end(), QString());
    m_cursor = 1;
}

QString CalcTemplateModel::expression() const
{
    QString text;
    for (int r = 1; r < m_tokenRows; ++r) {
        const QString cell = token(r);
        if (!cell.trimmed().isEmpty())
            text += cell;
    }
    return text;
}

std::vector<int> CalcTemplateModel::fieldsHoldingTokens() const
{
    std::vector<int> columns;
    for (int c = 0; c < kStoreColumns; ++c) {
        std::vector<QString> tokens;
        std::vector<QString> files;
        storedTokens(c, tokens, files);
        if (!tokens.empty())
            columns.push_back(c);
    }
    return columns;
}

void CalcTemplateModel::storedTokens(
    int column, std::vector<QString> &tokens, std::vector<QString> &files) const
{
    tokens.clear();
    files.clear();
    for (int r = 1; r < m_storeRows; ++r) {
        const QString cell = storedToken(column, r);
        if (cell.trimmed().isEmpty())
            continue;
        tokens.push_back(cell);
        files.push_back(storedFile(column, r));
    }
}

// --- number box ----------------------------------------------------------------

bool CalcTemplateModel::acceptsNumberChar(const QString &boxText, QChar c)
{
    if (c.isDigit() && c.unicode() < 0x80) {
        const auto digits = std::count_if(boxText.begin(), boxText.end(),
            [](QChar d) { return d.unicode() >= u'0' && d.unicode() <= u'9'; });
        return digits < kMaxNumberDigits;
    }
    if (c == u'.')
        return !boxText.contains(u'.');
    return c == u' ';
}

void CalcTemplateModel::typeNumberChar(QChar c)
{
    static const QString typedOperators = QStringLiteral("+-*/():");
    if (c == u'\r' || c == u'\n') {
        commitNumber();
        return;
    }
    if (c == u'\b') {
        m_number.chop(1);
        return;
    }
    if (const qsizetype op = typedOperators.indexOf(c); op >= 0) {
        // As the pad does: "(" and ")" are entries 6 and 7 of the table.
        const QString text(c);
        const auto &ops = calcOperators();
        placeOperator(static_cast<int>(std::find(ops.begin(), ops.end(), text) - ops.begin()));
        return;
    }
    if (acceptsNumberChar(m_number, c))
        m_number += c;
}

void CalcTemplateModel::setNumberText(const QString &text)
{
    QString filtered;
    for (const QChar c : text) {
        if (acceptsNumberChar(filtered, c))
            filtered += c;
    }
    m_number = filtered;
}

bool CalcTemplateModel::commitNumber()
{
    const QString number = m_number.trimmed();
    if (number.isEmpty() || !vb::isNumeric(number))
        return false;
    place(number);
    m_number.clear();
    return true;
}

// --- templates ---------------------------------------------------------------

void CalcTemplateModel::loadTemplate(const QString &path)
{
    // Checked before reading, so a damaged count is refused at once.
    if (ComCaldoraTable::GetFieldCnt(path) > kStoreColumns)
        throw vb::SubscriptOutOfRange("a calculation template holds more than "
            + std::to_string(kStoreColumns) + " fields: " + path.toStdString());
    const CalcTemplate tmpl = readCalcTemplate(path);
    m_names.fill(QString());
    for (std::size_t c = 0; c < m_tokens.size(); ++c) {
        std::fill(m_tokens[c].begin(), m_tokens[c].end(), QString());
        std::fill(m_files[c].begin(), m_files[c].end(), QString());
    }
    QString firstFile;
    for (std::size_t k = 0; k < tmpl.fields.size(); ++k) {
        const CalcField &field = tmpl.fields[k];
        m_names[k + 1] = field.name;
        growStores(static_cast<int>(field.tokens.size()) + 1);
        for (std::size_t g = 0; g < field.tokens.size(); ++g) {
            m_tokens[k][g + 1] = field.tokens[g];
            m_files[k][g + 1] = g < field.files.size() ? field.files[g] : QString();
            if (firstFile.isEmpty())
                firstFile = m_files[k][g + 1].trimmed();
        }
    }
    if (!firstFile.isEmpty()) {
        const QString found = resolveItemListFile(firstFile, m_dataFolder);
        fillAreaUnits(found.isEmpty() ? firstFile : found);
        selectStatisticsOf(firstFile);
    }
    m_field = 0;
    m_tokenRows = std::max(m_tokenRows, m_storeRows);
    m_cursor = 1;
}

} // namespace veltra::statdata
