#include "platform/template_builders.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"

const CDialogTemplate& GetAboutTemplate()
{
    using namespace rc;
    static const CDialogTemplate tmpl{
        .m_nId = IDD_ABOUTBOX,
        .m_strCaption = "About the Sortavel Manager",
        .cx = 161,
        .cy = 130,
        .m_nStyle = DS_CAPTION | DS_SYSMENU | DS_CENTER,
        .m_controls =
            {
                Picture(IDC_STATIC, IDB_ABOUT_LEFT, {7, 7, 40, 95}),
                EtchedFrame({50, 7, 61, 95}),
                CenteredLabel("Sortavel", {52, 30, 57, 8}),
                CenteredLabel("Manager", {52, 42, 57, 8}),
                CenteredLabel("for", {52, 54, 57, 8}),
                CenteredLabel("Vortane", {52, 66, 57, 8}),
                Picture(IDC_STATIC, IDB_PHOTO_DEFAULT, {114, 7, 40, 95}),
                DefButton("OK", IDOK, {55, 109, 50, 14}, WS_GROUP),
            },
    };
    return tmpl;
}
