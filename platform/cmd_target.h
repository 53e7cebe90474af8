#pragma once
// Notifications and the declarative handler tables that route them to member
// functions, in the spirit of a message map:
//
//   const CHandlerTable* CLogDlg::GetHandlers() const
//   {
//       static const CHandlerMap<CLogDlg> map{
//           {IDC_NAME, ENotify::Changed, &CLogDlg::OnChangeName},           // void ()
//           {IDC_CAREER_SPIN, ENotify::DeltaPos, &CLogDlg::OnDeltaPosCareer}, // void (int nStep)
//           {ID_APP_EXIT, ENotify::Clicked, &CLogDlg::OnExit},               // button or menu item
//           {ID_FILE_PRINT, ENotify::UpdateCommand, &CLogDlg::CanPrint},     // bool ()
//       };
//       return &map;
//   }
// Handlers may be private; the table is built inside a member function.
#include <cstddef>
#include <string>
#include <variant>
#include <vector>

enum class ENotify {
    Clicked,       // button, check box, radio button, report list row, menu command
    Changed,       // an edit's text changed (by the user or by the program)
    SelChange,     // a list's selection changed by the user
    DoubleClicked, // a list row was double-clicked
    DeltaPos,      // an up-down control is about to step; handler takes the signed step
    UpdateCommand, // asks whether a command is enabled; handler returns bool
};

const char* GetNotifyName(ENotify eNotify);

class CCmdTarget;

// One entry as the dispatcher sees it.
struct CHandlerKey {
    int m_nId = 0;
    ENotify m_eNotify = ENotify::Clicked;
    bool m_bTakesStep = false;   // void (int)
    bool m_bAnswersBool = false; // bool ()
};

class CHandlerTable {
public:
    virtual ~CHandlerTable() = default;
    virtual std::vector<CHandlerKey> GetKeys() const = 0;
    // Calls the handler for (nId, eNotify) on target; false when there is none.
    // pbAnswer receives an UpdateCommand handler's answer.
    virtual bool Dispatch(CCmdTarget& target, int nId, ENotify eNotify, int nParam, bool* pbAnswer) const = 0;
};

template <class T>
class CHandlerMap : public CHandlerTable {
public:
    struct Entry {
        int m_nId;
        ENotify m_eNotify;
        std::variant<void (T::*)(), void (T::*)(int), bool (T::*)()> m_pfn;

        Entry(int nId, ENotify eNotify, void (T::*pfn)()) : m_nId(nId), m_eNotify(eNotify), m_pfn(pfn) {}
        Entry(int nId, ENotify eNotify, void (T::*pfn)(int)) : m_nId(nId), m_eNotify(eNotify), m_pfn(pfn) {}
        Entry(int nId, ENotify eNotify, bool (T::*pfn)()) : m_nId(nId), m_eNotify(eNotify), m_pfn(pfn) {}
    };

    CHandlerMap(std::initializer_list<Entry> entries) : m_entries(entries) {}

    std::vector<CHandlerKey> GetKeys() const override
    {
        std::vector<CHandlerKey> keys;
        for (const Entry& e : m_entries)
            keys.push_back({e.m_nId, e.m_eNotify, e.m_pfn.index() == 1, e.m_pfn.index() == 2});
        return keys;
    }

    bool Dispatch(CCmdTarget& target, int nId, ENotify eNotify, int nParam, bool* pbAnswer) const override
    {
        for (const Entry& e : m_entries) {
            if (e.m_nId != nId || e.m_eNotify != eNotify)
                continue;
            T& self = static_cast<T&>(target);
            if (auto p = std::get_if<0>(&e.m_pfn))
                (self.**p)();
            else if (auto p1 = std::get_if<1>(&e.m_pfn))
                (self.**p1)(nParam);
            else {
                bool bAnswer = (self.*std::get<2>(e.m_pfn))();
                if (pbAnswer)
                    *pbAnswer = bAnswer;
            }
            return true;
        }
        return false;
    }

private:
    std::vector<Entry> m_entries;
};

// Anything that handles notifications and commands through a handler table.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // The class's handler table; none by default.
    virtual const CHandlerTable* GetHandlers() const { return nullptr; }

    // Runs the handler for the notification; false when the table has none.
    bool OnNotify(int nId, ENotify eNotify, int nParam = 0);
    // Runs the command's handler here; false when there is none.
    virtual bool OnCommand(int nId) { return OnNotify(nId, ENotify::Clicked); }
    // The enable state of a command handled here: its UpdateCommand handler's
    // answer, else true when a handler exists; false when nothing handles it.
    virtual bool IsCommandHandled(int nId, bool& bEnabled);
};
