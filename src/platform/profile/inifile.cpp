// Parsing, lookup and line-preserving edits of one private-profile file.
#include "platform/profile/inifile.h"

#include "platform/text/text.h"

namespace veltra::profile {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\v')
        || c == QLatin1Char('\f');
}

// Trims ASCII blanks only: a full-width space belongs to the value.
QString trimBlanks(QStringView s)
{
    qsizetype from = 0, to = s.size();
    while (from < to && isBlank(s[from]))
        ++from;
    while (to > from && isBlank(s[to - 1]))
        --to;
    return s.mid(from, to - from).toString();
}

QString stripMatchingQuotes(const QString &value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

QString fold(const QString &name)
{
    return name.toCaseFolded();
}

const QByteArray crlf("\r\n");

// Calls add(start, end, eolLength) for each line of `text` from `start`: a
// line ends at CR LF, CR or LF; a last line without an end has eolLength 0.
// Works on decoded text and on bytes alike.
template <class Text, class Add> void cutLines(const Text &text, qsizetype start, Add add)
{
    const qsizetype size = text.size();
    for (qsizetype i = start; i < size; ++i) {
        const auto c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        const qsizetype eolLength = (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n') ? 2 : 1;
        add(start, i, eolLength);
        i += eolLength - 1;
        start = i + 1;
    }
    if (start < size)
        add(start, size, 0);
}

} // namespace

IniFile IniFile::parse(const QByteArray &bytes)
{
    IniFile file;
    int bomLength = 0;
    const text::Encoding encoding = text::detectEncoding(bytes, &bomLength);
    file.m_reencode = encoding != text::Encoding::Cp932;
    if (encoding == text::Encoding::Utf16LE || encoding == text::Encoding::Utf16BE) {
        // Line ends are two bytes here: the lines are cut in the decoded
        // text, and every line is written anew in CP932 anyway.
        const QString contents = text::decode(bytes.mid(bomLength), encoding);
        cutLines(contents, 0, [&](qsizetype from, qsizetype end, qsizetype eolLength) {
            Line line;
            line.text = contents.mid(from, end - from);
            line.eol = eolLength == 0 ? QByteArray() : contents.mid(end, eolLength).toLatin1();
            file.m_lines.push_back(std::move(line));
        });
        file.reindex();
        return file;
    }
    const bool utf8 = encoding == text::Encoding::Utf8;
    const bool bom = bomLength > 0;

    // Split the bytes first and decode line by line, so lines and their bytes
    // always correspond (CR and LF never occur inside a CP932 character).
    cutLines(bytes, bom ? 3 : 0, [&](qsizetype start, qsizetype end, qsizetype eolLength) {
        Line line;
        line.body = bytes.mid(start, end - start);
        line.eol = bytes.mid(end, eolLength);
        line.text = utf8 ? QString::fromUtf8(line.body) : text::decodeCp932(line.body);
        file.m_lines.push_back(std::move(line));
    });
    file.reindex();
    return file;
}

void IniFile::reindex()
{
    m_sections.clear();
    m_firstSection.clear();
    Section *current = nullptr;
    const int count = static_cast<int>(m_lines.size());
    for (int i = 0; i < count; ++i) {
        const QString &text = m_lines[i].text;
        qsizetype first = 0;
        while (first < text.size() && isBlank(text[first]))
            ++first;
        if (first == text.size())
            continue;
        if (text[first] == QLatin1Char('[')) {
            if (current)
                current->end = i;
            qsizetype close = text.indexOf(QLatin1Char(']'), first + 1);
            if (close < 0)
                close = text.size();
            Section section;
            section.name = trimBlanks(QStringView(text).mid(first + 1, close - first - 1));
            section.header = i;
            m_sections.push_back(std::move(section));
            current = &m_sections.back();
            continue;
        }
        if (!current || text[first] == QLatin1Char(';'))
            continue;
        const qsizetype equals = text.indexOf(QLatin1Char('='), first);
        if (equals < 0)
            continue;
        Entry entry;
        entry.key = trimBlanks(QStringView(text).mid(first, equals - first));
        if (entry.key.isEmpty())
            continue;
        entry.value = stripMatchingQuotes(trimBlanks(QStringView(text).mid(equals + 1)));
        entry.line = i;
        current->entries.push_back(std::move(entry));
    }
    if (current)
        current->end = count;

    // The first match wins: fill both maps backwards so earlier names override later ones.
    for (int s = static_cast<int>(m_sections.size()) - 1; s >= 0; --s) {
        Section &section = m_sections[s];
        m_firstSection.insert(fold(section.name), s);
        section.firstEntry.reserve(static_cast<qsizetype>(section.entries.size()));
        for (int e = static_cast<int>(section.entries.size()) - 1; e >= 0; --e)
            section.firstEntry.insert(fold(section.entries[e].key), e);
    }
}

const IniFile::Section *IniFile::findSection(const QString &section) const
{
    const auto it = m_firstSection.constFind(fold(section));
    return it == m_firstSection.cend() ? nullptr : &m_sections[*it];
}

const IniFile::Entry *IniFile::findEntry(const Section &section, const QString &key) const
{
    const auto it = section.firstEntry.constFind(fold(key));
    return it == section.firstEntry.cend() ? nullptr : &section.entries[*it];
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const Section *s = findSection(section);
    if (!s)
        return std::nullopt;
    const Entry *e = findEntry(*s, key);
    if (!e)
        return std::nullopt;
    return e->value;
}

bool IniFile::hasSection(const QString &section) const
{
    return findSection(section) != nullptr;
}

QStringList IniFile::sectionNames() const
{
    QStringList names;
    for (int s = 0; s < static_cast<int>(m_sections.size()); ++s) {
        if (m_firstSection.value(fold(m_sections[s].name)) == s)
            names.append(m_sections[s].name);
    }
    return names;
}

QStringList IniFile::keyNames(const QString &section) const
{
    QStringList names;
    const Section *s = findSection(section);
    if (!s)
        return names;
    for (int e = 0; e < static_cast<int>(s->entries.size()); ++e) {
        if (s->firstEntry.value(fold(s->entries[e].key)) == e)
            names.append(s->entries[e].key);
    }
    return names;
}

std::vector<std::pair<QString, QString>> IniFile::entries(const QString &section) const
{
    std::vector<std::pair<QString, QString>> result;
    const Section *s = findSection(section);
    if (!s)
        return result;
    for (int e = 0; e < static_cast<int>(s->entries.size()); ++e) {
        if (s->firstEntry.value(fold(s->entries[e].key)) == e)
            result.emplace_back(s->entries[e].key, s->entries[e].value);
    }
    return result;
}

void IniFile::insertLine(int at, const QString &text)
{
    // The line before gets a line end if it was the unterminated last line.
    if (at > 0 && m_lines[at - 1].eol.isEmpty()) {
        m_lines[at - 1].eol = crlf;
    }
    Line line;
    line.text = text;
    line.eol = crlf;
    line.changed = true;
    m_lines.insert(m_lines.begin() + at, std::move(line));
}

void IniFile::removeLines(int from, int count)
{
    m_lines.erase(m_lines.begin() + from, m_lines.begin() + from + count);
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const Section *s = findSection(section);
    if (!s) {
        const int end = static_cast<int>(m_lines.size());
        insertLine(end, QLatin1Char('[') + section + QLatin1Char(']'));
        insertLine(end + 1, key + QLatin1Char('=') + value);
    } else if (const Entry *e = findEntry(*s, key)) {
        Line &line = m_lines[e->line];
        line.text = e->key + QLatin1Char('=') + value;
        line.changed = true;
    } else {
        // After the section's last non-blank line, so blank lines that part
        // it from the next section stay where they are.
        int at = s->end;
        while (at > s->header + 1 && trimBlanks(m_lines[at - 1].text).isEmpty())
            --at;
        insertLine(at, key + QLatin1Char('=') + value);
    }
    reindex();
}

void IniFile::removeKey(const QString &section, const QString &key)
{
    const Section *s = findSection(section);
    if (!s)
        return;
    if (const Entry *e = findEntry(*s, key)) {
        removeLines(e->line, 1);
        reindex();
    }
}

void IniFile::removeSection(const QString &section)
{
    // Every section of that name goes, so none shows through afterwards.
    for (int s = static_cast<int>(m_sections.size()) - 1; s >= 0; --s) {
        if (fold(m_sections[s].name) == fold(section))
            removeLines(m_sections[s].header, m_sections[s].end - m_sections[s].header);
    }
    reindex();
}

void IniFile::replaceSection(const QString &section, const std::vector<std::pair<QString, QString>> &entries)
{
    const Section *s = findSection(section);
    int at;
    if (!s) {
        at = static_cast<int>(m_lines.size());
        insertLine(at++, QLatin1Char('[') + section + QLatin1Char(']'));
    } else {
        // The old body goes; blank lines that part it from the next section stay.
        int bodyEnd = s->end;
        while (bodyEnd > s->header + 1 && trimBlanks(m_lines[bodyEnd - 1].text).isEmpty())
            --bodyEnd;
        at = s->header + 1;
        removeLines(at, bodyEnd - at);
    }
    for (const auto &[key, value] : entries)
        insertLine(at++, key + QLatin1Char('=') + value);
    reindex();
}

bool IniFile::serialize(QByteArray &out, QString *error) const
{
    out.clear();
    QByteArray encoded;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (line.changed || m_reencode) {
            QString why;
            if (!text::encodeCp932(line.text, encoded, &why)) {
                if (error)
                    *error = QStringLiteral("%1 行目: %2").arg(i + 1).arg(why);
                return false;
            }
            out += encoded;
        } else {
            out += line.body;
        }
        out += line.eol;
    }
    return true;
}

} // namespace veltra::profile
