// The worker thread takes a document and its edits without the caller waiting, and each
// answer says which edit it fits; a LoadModule line typed in the main file clears the
// problem of a directive in another open document it includes.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "CheckTestSupport.h"
#include "CheckWorker.h"

using namespace check;

TEST(CheckWorkerTest, AnswersEachEditAndFollowsTheConfigurationAcrossDocuments)
{
    std::mutex lock;
    std::condition_variable told;
    std::vector<int> ready;
    CheckWorker worker(checktest::Directives(), [&](int document) {
        std::lock_guard<std::mutex> hold(lock);
        ready.push_back(document);
        told.notify_all();
    });
    // The answer for that edit once it holds `count` problems.
    auto answer = [&](int document, unsigned edits, std::size_t count) {
        ProblemList problems;
        unsigned fits = 0;
        std::unique_lock<std::mutex> hold(lock);
        const bool got = told.wait_for(hold, std::chrono::seconds(20), [&] {
            return worker.Take(document, problems, fits) && fits == edits && problems->size() == count;
        });
        EXPECT_TRUE(got) << "no answer with " << count << " problems for edit " << edits;
        return got ? *problems : std::vector<Problem>();
    };
    worker.SetStart({"C:/nowhere", "C:/nowhere/conf/httpd.conf", {}});
    worker.Open(1, "C:/nowhere/conf/httpd.conf", "#LoadModule ssl_module modules/mod_ssl.so\nInclude conf/ssl.conf");
    worker.Open(2, "C:/nowhere/conf/ssl.conf", "SSLEngine on\n<Directory /x>\nListen 80\n</Directory>");
    answer(2, 1, 2);
    worker.Change(2, 2, 1, {"Options None"});
    const std::vector<Problem> left = answer(2, 2, 1);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_NE(left[0].message.find("uncomment line 1 of httpd.conf"), std::string::npos) << left[0].message;
    worker.Change(1, 0, 1, {"LoadModule ssl_module modules/mod_ssl.so"});
    answer(2, 2, 0);
    worker.Close(2);
}
