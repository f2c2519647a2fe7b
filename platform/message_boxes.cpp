#include "platform/message_boxes.h"

#include <wx/app.h>
#include <wx/init.h>
#include <wx/msgdlg.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace aerolume::platform {
namespace {

// wxWidgets is brought up the first time a box is needed, so that the saver modes pay for the
// toolkit only when they have something to say. False when there is no display to show it on.
bool ToolkitReady() {
  if (wxTheApp) return true;
  static const bool initialised = [] {
    // GTK would come up without a display and then fail on the first dialog.
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!(x11 && *x11) && !(wayland && *wayland)) return false;
    // Without an application object of the GUI kind wxWidgets would start as a console program.
    wxApp::SetInstance(new wxApp());
    if (wxInitialize()) return true;
    wxApp::SetInstance(nullptr);
    return false;
  }();
  return initialised;
}

void AppendToLog(const std::string& logPath, const std::string& line) {
  if (logPath == "-") {
    std::cerr << line << '\n' << std::flush;
    return;
  }
  if (std::FILE* file = std::fopen(logPath.c_str(), "a")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
}

Answer FromDialogResult(int result) {
  switch (result) {
    case wxID_YES: return Answer::Yes;
    case wxID_NO: return Answer::No;
    case wxID_CANCEL: return Answer::Cancel;
    default: return Answer::Ok;
  }
}

}  // namespace

std::string MessageLogLine(const std::string& caption, const std::string& text) {
  std::string line = caption + '\t';
  for (char c : text) {
    if (c == '\n') line += "\\n";
    else if (c != '\r') line += c;
  }
  return line;
}

Answer ParseAnswer(const std::string& value, Buttons buttons) {
  if (buttons == Buttons::YesNo) return value == "no" ? Answer::No : Answer::Yes;
  return Answer::Ok;
}

Answer DesktopMessageBoxes::Show(const std::string& caption, const std::string& text, Buttons buttons,
                                 Icon icon) {
  if (const char* log = std::getenv("AEROLUME_MESSAGE_LOG"); log && *log) {
    AppendToLog(log, MessageLogLine(caption, text));
    const char* answer = std::getenv("AEROLUME_MESSAGE_ANSWER");
    return ParseAnswer(answer ? answer : "", buttons);
  }
  if (!ToolkitReady()) {
    // No display to show a dialog on: the message still reaches the user's terminal.
    AppendToLog("-", MessageLogLine(caption, text));
    return ParseAnswer("", buttons);
  }
  long style = wxSTAY_ON_TOP | wxCENTRE;
  style |= buttons == Buttons::YesNo ? wxYES_NO : wxOK;
  style |= icon == Icon::Error ? wxICON_ERROR : wxICON_NONE;
  wxMessageDialog dialog(nullptr, wxString::FromUTF8(text), wxString::FromUTF8(caption), style);
  return FromDialogResult(dialog.ShowModal());
}

}  // namespace aerolume::platform
