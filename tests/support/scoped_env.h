#pragma once
// Environment variables set for the life of an object, then restored.
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

// Sets (or, given nullptr, clears) a variable; the old value comes back at
// the end.
class CScopedEnv {
public:
    CScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~CScopedEnv() { Restore(); }
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

    void Restore() const
    {
        if (m_old)
            setenv(m_name.c_str(), m_old->c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

// A fixed time zone (TZ) for the local time functions.
class CScopedTimeZone {
public:
    explicit CScopedTimeZone(const char* zone) : m_tz("TZ", zone) { tzset(); }
    ~CScopedTimeZone()
    {
        m_tz.Restore();
        tzset();
    }
    CScopedTimeZone(const CScopedTimeZone&) = delete;
    CScopedTimeZone& operator=(const CScopedTimeZone&) = delete;

private:
    CScopedEnv m_tz;
};
