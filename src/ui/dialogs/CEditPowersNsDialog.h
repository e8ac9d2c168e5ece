#pragma once

#include "ui/dialogs/CEditPowersDialog.h"

/// "Edit Powers and Ns": edits the powers and the sample sizes of a sample-size
/// calculator; with the check box set both parsed lists become the stored defaults of new
/// sample-size calculators. The powers are taken before the sizes are read, so a refused
/// sizes list leaves the new powers in the calculator. The sizes field is named "1022".
class CEditPowersNsDialog : public CEditPowersDialog
{
    Q_OBJECT

public:
    CEditPowersNsDialog(CCalculator* calculator, QWidget* parent = nullptr);

    CListEdit* nsField() const { return m_ns; }

protected:
    bool saveLists() override;

private:
    CListEdit* m_ns;
};
