#include "cli/SheetCommand.h"

#include "cli/CliTexts.h"

namespace alvetra::cli {

ExitStatus writeSheet(const CliOptions &, Console &console)
{
    console.message(clitexts::kNoPaperPdf);
    return ExitStatus::Usage;
}

std::unique_ptr<QCoreApplication> makeCliApplication(int &argc, char **argv)
{
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace alvetra::cli
