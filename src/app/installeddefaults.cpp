#include "app/installeddefaults.h"

namespace veltra::app {

std::vector<shell::DefaultsSource> installedDefaults()
{
    return {
        {QStringLiteral(VELTRA_DEFAULT_PROGRAM_FILES), QString()},
        {QStringLiteral(VELTRA_DEFAULT_GENERATED_DATA), QString()},
    };
}

} // namespace veltra::app
