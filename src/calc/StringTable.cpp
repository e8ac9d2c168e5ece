#include "calc/StringTable.h"

#include <algorithm>
#include <iterator>

namespace {

struct Entry
{
    unsigned int id;
    const char* text;
};

// Sorted by id for the binary search below.
const Entry kEntries[] = {
    {IDS_CALCULATE_TITLE, "Calculate sample size and power"},
    {IDS_SETTING_SAMPLE_POWERS, "Sample Size Powers"},
    {IDS_NO_SELECTED_CELL, "To view the detailed report, click on one of\nthe values in the table "
                           "of tradeoffs (Step 3)."},
    {IDS_SETTING_SAMPLE_SERIES, "Sample Size Series"},
    {IDS_SETTING_POWER_POWERS, "Powers Determination"},
    {IDS_SAMPLE_UNPAIRED_TITLE, "Sample size for unpaired t test"},
    {IDS_SAMPLE_UNPAIRED_EXPLANATION, "Explanation of sample size for unpaired t test"},
    {IDS_SAMPLE_PAIRED_TITLE, "Sample size for paired t test"},
    {IDS_SAMPLE_PAIRED_EXPLANATION, "Explanation of sample size for paired t test"},
    {IDS_POWER_UNPAIRED_TITLE, "Power of a 'not significant' t test"},
    {IDS_POWER_UNPAIRED_EXPLANATION, "Explanation of power"},
    {IDS_SAMPLE_ANOVA_TITLE, "Sample size for one-way ANOVA"},
    {IDS_SAMPLE_ANOVA_EXPLANATION, "Explanation of sample size for one-way ANOVA"},
    {IDS_SAMPLE_LOGRANK_TITLE, "Sample size for comparing two survival curves"},
    {IDS_SAMPLE_LOGRANK_EXPLANATION,
     "Explanation of sample size for comparing two survival curves"},
    {IDS_SAMPLE_CHISQUARE_TITLE, "Sample size for compare two proportions"},
    {IDS_SAMPLE_CHISQUARE_EXPLANATION, "Explanation of sample size for compare two proportions"},
    {IDS_SAMPLE_ONE_TITLE, "Sample size for one-sample t test"},
    {IDS_SAMPLE_ONE_EXPLANATION, "Explanation of sample size for a one-sample t test"},
    {IDS_POWER_PAIRED_TITLE, "Power of a 'not significant' paired t test"},
    {IDS_POWER_PAIRED_EXPLANATION, "Explanation of power of a 'not significant' paired t test"},
    {IDS_POWER_ANOVA_TITLE, "Power of a one-way ANOVA"},
    {IDS_POWER_ANOVA_EXPLANATION, "Explanation of power of a one-way ANOVA"},
    {IDS_POWER_LOGRANK_TITLE, "Power of survival analysis"},
    {IDS_POWER_LOGRANK_EXPLANATION, "Explanation of the power of survival analysis"},
    {IDS_POWER_ONE_TITLE, "Power of one-sample t test"},
    {IDS_POWER_ONE_EXPLANATION, "Explanation of one-sample t test"},
    {IDS_POWER_CHISQUARE_TITLE, "Power of compare two proportions"},
    {IDS_POWER_CHISQUARE_EXPLANATION, "Explanation of power of compare two proportions"},
    {IDS_APP_TITLE, "Veldrine Zentrima 2.00"},
    {IDS_NO_BROWSER, "Cannot run Zentrima.\nMicrosoft Internet Explorer 4.0 or later is required "
                     "to run the program.\nMake sure to install or upgrade to Internet Explorer "
                     "4.0 and try to launch Zentrima again."},
    {IDS_GRAPH_NEEDS_VORLA,
     "Cannot create graph.\nGraphing requires Veldrine Vorla version 4.01 (or later)."},
    {IDS_WORD_LAUNCH_FAILED, "Cannot Launch LibreOffice Writer.\nIf rebooting doesn't help, "
                             "reinstall LibreOffice Writer."},
    {IDS_WORD_NOT_INSTALLED, "Cannot copy to Word.\nLibreOffice Writer is not installed. "
                             "\nInstall LibreOffice Writer and try again."},
    {IDS_TOO_MANY_CALCULATORS, "Can't create new calculator.\nToo many calculators are opened."},
    {IDS_NO_DISK_SPACE, "There is insufficient disk space to create the temporary files needed to "
                        "perform these calculations."},
    {IDS_SAMPLE_SIZE_ABOVE_ONE, "Sample size must be positive integer greater than 1.\nEnter "
                                "correct value in the field and try again."},
    {IDS_GROUP1_SIZE_ABOVE_ONE, "Sample size for group 1 must be integer greater than 1.\nEnter "
                                "correct value in the field and try again."},
    {IDS_GROUP2_SIZE_ABOVE_ONE, "Sample size for group 2 must be integer greater than 1.\nEnter "
                                "correct value in the field and try again."},
    {IDS_SAMPLE_SIZE_POSITIVE, "Sample size must be positive integer.\nEnter correct value in the "
                               "field and try again."},
    {IDS_VORLA_LAUNCH_FAILED, "Cannot launch Vorla from Zentrima.\nReboot Windows or/and close "
                              "other applications and try again."},
    {IDS_VORLA_SCRIPT_OPEN, "Cannot graph in Vorla.\nClose Vorla's Script dialog and try again."},
    {IDS_NO_PRIVATE_FOLDER,
     "Zentrima cannot make a private folder for its temporary files.\nResults are shown, but "
     "Graph in Vorla and To Word are not available.\nCheck the folders named by XDG_RUNTIME_DIR "
     "and TMPDIR, and /tmp."},
};

} // namespace

const char* LoadString(unsigned int id)
{
    const Entry* end = std::end(kEntries);
    const Entry* found = std::lower_bound(
        std::begin(kEntries), end, id, [](const Entry& e, unsigned int key) { return e.id < key; });
    return found != end && found->id == id ? found->text : "";
}
