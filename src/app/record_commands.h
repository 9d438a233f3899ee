#pragma once

namespace tamsel {

class Clock;
class Form;
class Prompter;
class RunDirectory;
class StartUpHost;

// The commands that act on the record form as a whole: the two screens, the
// case notes, the derived answer items, closing the text viewer and the new
// record.
namespace record_commands {

// " 下一步：": pages 3 and 4 in place of pages 1 and 2.
void nextScreen(Form &form);
// " 上一步：": pages 1 and 2 again; pages 3 and 4 are moved out of view.
void previousScreen(Form &form);
// "案件情由备注": shows or hides the case notes over the right-hand page.
void toggleCaseNotes(Form &form);
// "关  闭" of the text viewer.
void closeViewer(Form &form);

// A question picked in the list of pair 2: offers "答：" + the person's name.
void pair2QuestionPicked(Form &form);
// A question picked in the list of pair 3: offers "答：" + the work unit, and
// the question after the person in charge for pair 4.
void pair3QuestionPicked(Form &form);

// Empties the record for a new one: header texts, scratch fields, case
// notes, the name-and-place lists and the 48 lines.
void resetRecord(Form &form);

// "新建(笔录)": asks first when a work unit is filled in; then the reset and
// the start-up sequence again. Returns false when the officer cancelled.
bool newRecord(Form &form, Prompter &prompter, StartUpHost &host, const Clock &clock,
               const RunDirectory &runDir, int &lineCounter);

} // namespace record_commands
} // namespace tamsel
