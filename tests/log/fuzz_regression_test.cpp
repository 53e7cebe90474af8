// Logs the fuzz target once failed on (tests/data/fuzz/log-*): each opens,
// saves, opens again and saves the very same bytes.
#include <gtest/gtest.h>

#include <filesystem>

#include "log/log_doc.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/test_host.h"

TEST(LogFuzzRegression, ASavedLogSavesAgainUnchanged)
{
    CScratchDir dir;
    CTestHost host;
    int nInputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SORTAVEL_TEST_DATA "/fuzz")) {
        if (entry.path().filename().string().rfind("log-", 0) != 0)
            continue;
        ++nInputs;
        const std::string strPath = dir.File("pilot.log");
        std::filesystem::copy_file(entry.path(), strPath, std::filesystem::copy_options::overwrite_existing);
        std::string saves[2];
        for (std::string& strSaved : saves) {
            CLogDoc doc;
            ASSERT_TRUE(doc.Open(strPath)) << entry.path();
            doc.RequestSave();
            ASSERT_TRUE(doc.Save()) << entry.path();
            strSaved = ReadBytes(strPath);
        }
        EXPECT_EQ(saves[0], saves[1]) << entry.path();
    }
    EXPECT_GT(nInputs, 0);
}
