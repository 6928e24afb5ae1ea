#include "exceltemplatefolder.h"

#include "exceltemplates/layouts.h"

namespace veltra::test {

ExcelTemplateFolder::ExcelTemplateFolder()
{
    ok = dir.isValid() && exceltemplates::writeTemplates(dir.file(QStringLiteral("ExcelTemp")), nullptr);
}

QString ExcelTemplateFolder::templateFile(int index) const
{
    return dir.file(QStringLiteral("ExcelTemp/") + exceltemplates::templateFileName(index));
}

QString ExcelTemplateFolder::output() const
{
    return dir.file(QStringLiteral("ExcelTemp/Veltra.xlsx"));
}

} // namespace veltra::test
