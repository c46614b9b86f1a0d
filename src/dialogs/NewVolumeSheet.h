#pragma once

#include <QString>
#include <QWizard>

#include <memory>

namespace pelko_wave {
class CCampaign;
}
namespace qnr {
class CQuestionnaire;
}

struct SNewVolumeWizardInput;
struct SNewVolumeWizardResult;
class CNewVolumeInheritsFromPage;
class CNewVolumeMatchingPage;
class CNewVolumeSourcePage;

// The wizard through which a volume enters a wave: its source page, its inheritance page and
// its matching page, always in that order. Finish ("Done") ends it with ID_WIZFINISH, after
// which the opener reads the pages' results; Cancel ends it with IDCANCEL.
class CNewVolumeSheet : public QWizard
{
    Q_OBJECT

public:
    enum EPage
    {
        PAGE_SOURCE,
        PAGE_INHERITANCE,
        PAGE_MATCHING
    };

    explicit CNewVolumeSheet(QWidget* parent = nullptr);
    ~CNewVolumeSheet() override;

    // Before the wizard is shown: the campaign whose volumes the pages read, the wave and the
    // matching page's presets.
    void SetInput(const SNewVolumeWizardInput& input);
    pelko_wave::CCampaign* GetCampaign() const { return m_campaign; }
    // After Finish: the pages' results.
    void GetResult(SNewVolumeWizardResult& result) const;

    CNewVolumeSourcePage* GetSourcePage() const { return m_source; }
    CNewVolumeInheritsFromPage* GetInheritsFromPage() const { return m_inheritsFrom; }
    CNewVolumeMatchingPage* GetMatchingPage() const { return m_matching; }

    // The questionnaire of the source page's result, read when the source page was left with
    // another file or source type than the last time; null when it cannot be read.
    const qnr::CQuestionnaire* GetNewSource();

    // Finish ends the wizard with ID_WIZFINISH.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    pelko_wave::CCampaign* m_campaign = nullptr;
    CNewVolumeSourcePage* m_source = nullptr;
    CNewVolumeInheritsFromPage* m_inheritsFrom = nullptr;
    CNewVolumeMatchingPage* m_matching = nullptr;

    std::unique_ptr<qnr::CQuestionnaire> m_newSource;
    bool m_newSourceLoaded = false;
    bool m_newSourceRead = false;
    QString m_newSourcePath;
    int m_newSourceType = -1;
};
