#include "shell/ShellDialogs.h"

#include "views/ViewDialogs.h"

bool CCampaignShellDialogs::HasDialog(EDialog dialog) const
{
    return dialog == CaptionLibrariesDialog && GetViewDialogs();
}

void CCampaignShellDialogs::RunCaptionLibrariesDialog(QWidget* parent)
{
    if (IViewDialogs* dialogs = GetViewDialogs()) {
        SCaptionLibraryDlgRequest request;
        request.Mode = CAPTION_LIBRARY_EDIT;
        dialogs->RunCaptionLibraryDlg(parent, request);
    }
}
