// The fields of the dialog that sets the redirection folders.
#include "lists/redirect.h"

#include "core/settings.h"

void ShowRedirectFields(tredirectfields& fields, const tsettings& settings, bool redirectOpen) {
    fields.left = settings.DirOpenImgL;
    if (!settings.DirOpenImgR.isEmpty())
        fields.right = settings.DirOpenImgR;
    else if (!fields.right.isEmpty())
        fields.right.clear();
    else
        fields.right = settings.DirOpenImgL;
    fields.force = redirectOpen;
}

void ChooseRedirectFolder(tredirectfields& fields, bool leftSide, const QString& folder) {
    (leftSide ? fields.left : fields.right) = folder;
    fields.force = true;
}

void AcceptRedirectFields(const tredirectfields& fields, tsettings& settings, bool& redirectOpen) {
    redirectOpen = fields.force;
    settings.DirOpenImgL = fields.left.trimmed();
    settings.DirOpenImgR = fields.right.trimmed();
    if (settings.DirOpenImgR.isEmpty()) settings.DirOpenImgR = settings.DirOpenImgL;
}
