#pragma once

namespace tamsel {

class Form;
class Prompter;
class RunDirectory;

// "打开(笔录模板)": the officer picks a template and the record is filled
// from it. A file that is not a template is refused and the record on
// screen stays as it was. True when the record was filled.
bool openRecordTemplate(Form &form, Prompter &prompter, const RunDirectory &runDir);

} // namespace tamsel
