#include "platform/template_builders.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"

const CDialogTemplate& GetDebriefViewTemplate()
{
    using namespace rc;
    using namespace ViewerIds;
    // The three filters are one group of radio buttons, reached with one Tab
    // stop; the Object ID field they read comes after them.
    static const CDialogTemplate tmpl{
        .m_nId = IDD_DEBRIEF_VIEW,
        .m_strCaption = "STT File Contents",
        .cx = 366,
        .cy = 246,
        .m_nStyle = DS_CAPTION | DS_SYSMENU,
        .m_controls =
            {
                ReportList(IDC_EVENT_LIST, {6, 6, 354, 221}, LVS_SINGLESEL, "Events"),
                RadioButton("Show All Events", IDC_SHOW_ALL, {7, 231, 72, 12}, WS_TABSTOP | WS_GROUP),
                RadioButton("Show Object Events", IDC_SHOW_OBJECT, {176, 231, 79, 12}),
                RadioButton("Show Object Child Events", IDC_SHOW_CHILDREN, {263, 231, 97, 12}),
                RightLabel("Object ID", {84, 233, 42, 8}),
                Edit(IDC_OBJECT_ID, {129, 231, 36, 12}, ES_AUTOHSCROLL | WS_GROUP),
            },
    };
    return tmpl;
}
