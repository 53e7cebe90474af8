#include "tests/support/test_host.h"

#include <gtest/gtest.h>

#include "platform/dialog.h"
#include "platform/message_box_text.h"

std::string CTestHost::Expectation::Describe() const
{
    switch (m_eKind) {
    case Kind::MessageBox:
        return "message box \"" + m_strText + "\"";
    case Kind::FileDialog:
        return m_file.m_bCancel ? "file dialog (cancelled)" : "file dialog choosing \"" + m_file.m_strPath + "\"";
    case Kind::Dialog:
        return "dialog " + std::to_string(m_nTemplateId);
    }
    return "?";
}

CTestHost::CTestHost() : m_scope(*this) {}

CTestHost::~CTestHost() { Verify(); }

void CTestHost::Verify()
{
    for (const auto& pExpected : m_expected)
        ADD_FAILURE() << "expected " << pExpected->Describe() << " never came";
    m_expected.clear();
    for (std::size_t& n : m_insertAt)
        n = 0;
    for (const std::string& strPart : m_expectedErrors)
        ADD_FAILURE() << "expected a program error about \"" << strPart << "\"";
    m_expectedErrors.clear();
}

CTestHost::Expectation& CTestHost::Add(std::unique_ptr<Expectation> pExpectation)
{
    std::size_t nAt = m_insertAt.empty() ? m_expected.size() : m_insertAt.back();
    for (std::size_t& n : m_insertAt)
        if (n >= nAt)
            ++n;
    return **m_expected.insert(m_expected.begin() + static_cast<std::ptrdiff_t>(nAt), std::move(pExpectation));
}

std::unique_ptr<CTestHost::Expectation> CTestHost::Take(Expectation::Kind eKind, const std::string& strWhat)
{
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected " << strWhat;
        return nullptr;
    }
    if (m_expected.front()->m_eKind != eKind) {
        ADD_FAILURE() << "unexpected " << strWhat << "; expected " << m_expected.front()->Describe();
        return nullptr;
    }
    std::unique_ptr<Expectation> pTaken = std::move(m_expected.front());
    m_expected.pop_front();
    for (std::size_t& n : m_insertAt)
        if (n > 0)
            --n;
    return pTaken;
}

void CTestHost::ExpectMessageBox(std::string strText, unsigned nType, int nAnswer)
{
    auto p = std::make_unique<Expectation>();
    p->m_eKind = Expectation::Kind::MessageBox;
    p->m_strText = std::move(strText);
    p->m_nType = NormalizeMessageBoxType(nType);
    p->m_nAnswer = nAnswer;
    if (!MessageBoxOffers(p->m_nType, nAnswer))
        ADD_FAILURE() << "the message box \"" << p->m_strText << "\" cannot be answered " << nAnswer;
    Add(std::move(p));
}

CFileDialogExpectation& CTestHost::ExpectFileDialog(std::string strPath, int nFilterIndex)
{
    auto p = std::make_unique<Expectation>();
    p->m_eKind = Expectation::Kind::FileDialog;
    p->m_file.m_strPath = std::move(strPath);
    p->m_file.m_nFilterIndexOut = nFilterIndex;
    return Add(std::move(p)).m_file;
}

CFileDialogExpectation& CTestHost::ExpectFileDialogCancel()
{
    auto p = std::make_unique<Expectation>();
    p->m_eKind = Expectation::Kind::FileDialog;
    p->m_file.m_bCancel = true;
    return Add(std::move(p)).m_file;
}

void CTestHost::ExpectDialog(int nTemplateId, Script script)
{
    auto p = std::make_unique<Expectation>();
    p->m_eKind = Expectation::Kind::Dialog;
    p->m_nTemplateId = nTemplateId;
    p->m_script = std::move(script);
    Add(std::move(p));
}

void CTestHost::ExpectProgramError(std::string strPart) { m_expectedErrors.push_back(std::move(strPart)); }

int CTestHost::MessageBox(const std::string& strText, unsigned nType)
{
    m_messageTexts.push_back(strText);
    std::unique_ptr<Expectation> p = Take(Expectation::Kind::MessageBox, "message box \"" + strText + "\"");
    if (!p)
        return GetDefaultMessageBoxAnswer(nType);
    EXPECT_EQ(p->m_strText, strText) << "message box text";
    EXPECT_EQ(p->m_nType, nType) << "buttons and icon of message box \"" << strText << "\"";
    return p->m_nAnswer;
}

int CTestHost::RunFileDialog(CFileDialog& dlg)
{
    m_fileRequests.push_back(
        {dlg.IsOpenDialog(), dlg.GetDefExt(), dlg.GetFileName(), dlg.GetFilter(), dlg.GetFlags(), dlg.GetFilterIndex()});
    std::unique_ptr<Expectation> p =
        Take(Expectation::Kind::FileDialog, "file dialog for \"" + dlg.GetFileName() + "\"");
    if (!p)
        return IDCANCEL;
    const CFileDialogExpectation& e = p->m_file;
    if (e.m_bOpen) {
        EXPECT_EQ(*e.m_bOpen, dlg.IsOpenDialog()) << "open or save flavour";
    }
    if (e.m_strFileName) {
        EXPECT_EQ(*e.m_strFileName, dlg.GetFileName()) << "initial file name";
    }
    if (e.m_strDefExt) {
        EXPECT_EQ(*e.m_strDefExt, dlg.GetDefExt()) << "default extension";
    }
    if (e.m_strFilter) {
        EXPECT_EQ(*e.m_strFilter, dlg.GetFilter()) << "filter";
    }
    if (e.m_nFlags) {
        EXPECT_EQ(*e.m_nFlags, dlg.GetFlags()) << "file dialog flags";
    }
    if (e.m_nFilterIndexIn) {
        EXPECT_EQ(*e.m_nFilterIndexIn, dlg.GetFilterIndex()) << "filter index handed in";
    }
    if (e.m_bCancel)
        return IDCANCEL;
    dlg.SetPathName(e.m_strPath);
    dlg.SetFilterIndex(e.m_nFilterIndexOut > 0 ? e.m_nFilterIndexOut : dlg.GetValidFilterIndex());
    return IDOK;
}

bool CTestHost::BeginModal(CDialog& dlg)
{
    std::unique_ptr<Expectation> p = Take(Expectation::Kind::Dialog, "dialog " + std::to_string(dlg.GetTemplateId()) +
                                                                         " \"" + dlg.GetWindowText() + "\"");
    if (!p)
        return false;
    if (p->m_nTemplateId != dlg.GetTemplateId()) {
        ADD_FAILURE() << "dialog " << dlg.GetTemplateId() << " opened; expected " << p->Describe();
        return false;
    }
    m_running.push_back(std::move(p->m_script));
    return true;
}

void CTestHost::RunModalLoop(CDialog& dlg)
{
    CDialogDriver driver(dlg);
    m_insertAt.push_back(0);
    Script script = std::move(m_running.back()); // nested runs may grow m_running
    if (script)
        script(driver);
    m_insertAt.pop_back();
    if (!dlg.IsEnded()) {
        ADD_FAILURE() << "the script left dialog " << dlg.GetTemplateId() << " open";
        dlg.EndDialog(IDCANCEL);
    }
}

void CTestHost::EndModal(CDialog&) { m_running.pop_back(); }

void CTestHost::ReportProgramError(const std::string& strProblem)
{
    for (auto it = m_expectedErrors.begin(); it != m_expectedErrors.end(); ++it)
        if (strProblem.find(*it) != std::string::npos) {
            m_expectedErrors.erase(it);
            return;
        }
    ADD_FAILURE() << "program error: " << strProblem;
}
