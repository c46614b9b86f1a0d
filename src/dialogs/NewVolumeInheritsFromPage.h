#pragma once

#include <QList>
#include <QString>
#include <QWizardPage>

namespace pelko_wave {
class CVolume;
class CWave;
} // namespace pelko_wave

class CNewVolumeSheet;
class CXListCtrl;
class QRadioButton;

// The rating of an inheritance compatibility in percent, as a string id: above 90
// "excellent", above 70 "good", above 30 "fair", else "poor".
unsigned InheritanceRatingId(double percent);

// The new-volume wizard's second page: whether the volume inherits from an ancestor volume, and
// from which. The candidates are the volumes that come before the new one (every volume of the
// earlier waves and of its own wave), each rated by how well the new source fits what the
// volume matched; a volume another already inherits from cannot be chosen. Next reads the
// ancestor.
class CNewVolumeInheritsFromPage : public QWizardPage
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 141,
        IDC_ANCESTORS = 1165,
        IDC_NOT_INHERITING = 1174,
        IDC_INHERITS = 1175,
        IDC_ANCESTORS_LABEL = 1176
    };

    explicit CNewVolumeInheritsFromPage(QWidget* parent = nullptr);

    // The wave the volume goes into; null for a campaign without waves.
    void SetWave(pelko_wave::CWave* wave) { m_wave = wave; }

    // Lists the candidates again when the source page was left with another file.
    void initializePage() override;
    void cleanupPage() override {}
    bool isComplete() const override;
    bool validatePage() override;

    // After Next: the chosen volume, -1 for none.
    int GetAncestorVolumeId() const { return m_ancestorVolumeId; }

    CXListCtrl* GetList() const { return m_list; }

private:
    CNewVolumeSheet* Sheet() const;
    QList<pelko_wave::CVolume*> Candidates() const;
    void FillList(const QList<pelko_wave::CVolume*>& candidates);
    void UpdateList();

    pelko_wave::CWave* m_wave = nullptr;
    QRadioButton* m_notInheriting = nullptr;
    QRadioButton* m_inherits = nullptr;
    CXListCtrl* m_list = nullptr;
    // The question source the list was filled for.
    QString m_listedPath;
    bool m_listed = false;
    int m_ancestorVolumeId = -1;
};
