// Area codes and place names.
#include "statdata/comcaldoraneo.h"

#include "shellcore/mdlcommon_text.h"
#include "statdata/meshdatabase.h"
#include "statdata/statfilepaths.h"

#include <vector>

namespace ComCaldoraNeo {

namespace {

// Area codes are texts of decimal digits; anything else (signs, blanks,
// exponents, decimal points) is not a code and has no parts.
bool isCode(const QString &text)
{
    return veltra::statdata::isDigits(text);
}

// The number of a piece of a digit code; codes longer than a Long stay exact
// in the pieces the callers take (at most 6 digits).
int32_t pieceNumber(const QString &piece)
{
    return int32_t(piece.toLongLong());
}

QString numberText(const QString &piece)
{
    return QString::number(piece.toLongLong());
}

// The municipality piece: characters 3-7 of a 7-character code, else 3-5.
QString cityPiece(const QString &code)
{
    return code.size() == 7 ? code.mid(2, 5) : code.mid(2, 3);
}

} // namespace

QString GetPrefCode(const QString &code)
{
    if (!isCode(code) || code.size() < 2)
        return QStringLiteral("0");
    return numberText(code.left(2));
}

QString GetCityCode(const QString &code)
{
    if (!isCode(code) || code.size() < 5)
        return QStringLiteral("0");
    return numberText(cityPiece(code));
}

QString GetTownCode(const QString &code)
{
    if (!isCode(code) || code.size() != 11)
        return QStringLiteral("0");
    return numberText(code.right(6));
}

void SplitAreaCode(const QString &text, std::array<int32_t, 3> &parts)
{
    parts = {0, 0, 0};
    QString trimmed = text;
    std::vector<QString> fields;
    if (mdlCommon::SplitComma(trimmed, fields) == 0)
        return;
    // The last comma field names the area.
    QString field = fields.back();
    if (!isCode(field))
        return;
    if (field.size() == 7) {
        // A prefecture and a five-digit municipality number; completing it on
        // the right like the shorter forms would shift every digit.
        parts = {pieceNumber(field.left(2)), pieceNumber(field.mid(2, 5)), 0};
        return;
    }
    if (field.size() < 6)
        field += field.size() < 3 ? QStringLiteral("000000000") : QStringLiteral("000000");
    field = field.rightJustified(11, u'0');
    parts = {pieceNumber(field.left(2)), pieceNumber(field.mid(2, 3)), pieceNumber(field.right(6))};
}

QString GetPrefName(const QString &code)
{
    if (!isCode(code))
        return {};
    auto &db = veltra::statdata::MeshDatabase::shared();
    return db.prefectureName(pieceNumber(code.left(2))).value_or(QString());
}

QString GetCityName(const QString &code)
{
    // A code without a municipality piece cannot be looked up.
    if (!isCode(code) || code.size() < 3)
        return {};
    auto &db = veltra::statdata::MeshDatabase::shared();
    return db.municipalityName(pieceNumber(code.left(2)), pieceNumber(cityPiece(code))).value_or(QString());
}

QString GetTownName(const QString &code)
{
    if (!isCode(code))
        return {};
    const QString full = code.rightJustified(11, u'0');
    auto &db = veltra::statdata::MeshDatabase::shared();
    return db
        .townBlockName(pieceNumber(full.left(2)), pieceNumber(full.mid(2, 3)), pieceNumber(full.mid(5, 6)))
        .value_or(QString());
}

} // namespace ComCaldoraNeo
