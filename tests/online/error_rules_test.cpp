// The error-help rules against logs: tags, the block search, the end-of-log
// tag, rules that must be skipped, and the page names a rule may give.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "online/error_rules.h"
#include "support/temp_program_dir.h"

namespace {

using Lines = std::vector<std::string>;

TEST(ErrorRules, TagsAreFoundInAnyCaseAndValuesKeepTheirs) {
    const std::string rule = "<ZN=2><z1=Cannot find Wave: ><Z10=ten><w=Sound-Files.htm><s>";
    EXPECT_TRUE(HasRuleTag("S", rule));
    EXPECT_TRUE(HasRuleTag("zn", rule));
    EXPECT_FALSE(HasRuleTag("zl", rule));
    EXPECT_EQ(GetRuleValue("zn", rule), "2");
    EXPECT_EQ(GetRuleValue("Z1", rule), "Cannot find Wave: ");
    EXPECT_EQ(GetRuleValue("W", rule), "Sound-Files.htm");
    EXPECT_EQ(GetRuleValue("z10", rule), "ten");
    EXPECT_EQ(GetRuleValue("z2", rule), "");          // no such tag
    EXPECT_EQ(GetRuleValue("W", "<W=open"), "open");  // up to the end of the rule
}

TEST(ErrorRules, ABlockMatchesAnywhereOrOnlyAtTheEndOfTheLog) {
    const std::string anywhere = "<zn=2><z1=Formdestroy: Start><z2=ERROR><W=crash.htm>";
    const std::string atEnd = "<zn=2><z1=Formdestroy: Start><z2=ERROR><zl><W=crash.htm><S>";
    const Lines inside = {"Program Version 1.07", "Formdestroy: Start", "ERROR", "glsInit", "OK"};
    const Lines last = {"Program Version 1.07", "Formdestroy: Start", "ERROR"};
    const Lines apart = {"Formdestroy: Start", "glsEnd", "ERROR"};

    EXPECT_EQ(MatchErrorRule(anywhere, inside).Page, "crash.htm");
    EXPECT_FALSE(MatchErrorRule(anywhere, inside).KeepLog);
    EXPECT_EQ(MatchErrorRule(atEnd, inside).Page, "");
    const TKnownError ending = MatchErrorRule(atEnd, last);
    EXPECT_EQ(ending.Page, "crash.htm");
    EXPECT_TRUE(ending.KeepLog);
    EXPECT_EQ(MatchErrorRule(anywhere, apart).Page, "");
    // Patterns compare letter case; an empty or missing pattern fits any line.
    EXPECT_EQ(MatchErrorRule("<zn=1><z1=error><W=a.htm>", last).Page, "");
    EXPECT_EQ(MatchErrorRule("<zn=2><z2=ERROR><zl><W=a.htm>", last).Page, "a.htm");
}

TEST(ErrorRules, UnusableRulesAreSkippedAndTheNextRuleIsTried) {
    const Lines log = {"Cannot find Wave: shot", "ERROR"};
    const std::string good = "<zn=1><z1=Cannot find Wave: ><W=sound-files.htm>\r\n";
    for (const std::string& bad : std::vector<std::string>{
             "A heading without any tags", "<zn=x><z1=Cannot><W=bad.htm>", "<zn=0><W=bad.htm>",
             "<zn=-1><W=bad.htm>",
             "<zn=3><W=bad.htm>",  // more lines than the log has
             "<zn=1001><W=bad.htm>", "<zn=1><z1=Cannot><W=../../etc/passwd>",
             "<zn=1><z1=Cannot><W=errors/x.htm>", "<zn=1><z1=Cannot><W=http://elsewhere.test/x>",
             "<zn=1><z1=Cannot><W=" + std::string(101, 'a') + ">",
             "<zn=1><z1=Cannot>",  // no page
         }) {
        EXPECT_EQ(MatchErrorRule(bad, log).Page, "") << bad;
        const TKnownError known = FindKnownError(bad + "\r\n" + good, log);
        EXPECT_EQ(known.Page, "sound-files.htm") << bad;
    }
    // The first rule that gives a page wins, with its own keep-log flag.
    const TKnownError first = FindKnownError("<zn=1><z1=ERROR><S><W=first.htm>\n" + good, log);
    EXPECT_EQ(first.Page, "first.htm");
    EXPECT_TRUE(first.KeepLog);
    EXPECT_EQ(MatchErrorRule("<zn=1><z1=ERROR><W=" + std::string(100, 'a') + ">", log).Page.size(), 100u);
    // A rule looks at no more than 1000 lines, however long the log.
    const Lines longLog(1001, "x");
    EXPECT_EQ(MatchErrorRule("<zn=1001><W=a.htm>", longLog).Page, "");
    EXPECT_EQ(MatchErrorRule("<zn=1000><zl><W=a.htm>", longLog).Page, "a.htm");
}

TEST(ErrorRules, ALongRuleCostsItsLengthNotItsLengthForEveryTag) {
    // A thousand tags looked up in a mebibyte of "<": each lookup searching
    // the whole rule again took seconds, on the menu window's thread.
    const std::string rule = "<zn=1000><zl><W=a.htm><z1000=x>" + std::string(1 << 20, '<');
    const Lines log(1000, "x");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(MatchErrorRule(rule, log).Page, "a.htm");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(ErrorRules, TheLogFileIsWhatTheRulesAreMatchedAgainst) {
    TempProgramDir dir;
    const std::string rules = "<zn=2><z1=glsLoop: ><z2=ERROR><zl><W=game-stopped.htm>\r\n";
    EXPECT_EQ(FindKnownError(rules).Page, "");  // no log, no page
    dir.Write("sps/LOG.TXT", "glsInit\r\nglsLoop: Zugriffsverletzung\r\nERROR\r\n");
    EXPECT_EQ(FindKnownError(rules).Page, "game-stopped.htm");
    dir.Write("sps/LOG.TXT", "glsLoop: x\nERROR\nOK\n");  // the block no longer ends the log
    EXPECT_EQ(FindKnownError(rules).Page, "");
}

}  // namespace
