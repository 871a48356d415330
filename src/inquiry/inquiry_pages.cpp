// SPDX-License-Identifier: GPL-3.0-or-later
#include "inquiry/inquiry_pages.hpp"

#include <cstdio>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "common/file_io.hpp"
#include "common/sjis.hpp"
#include "common/text.hpp"
#include "config/sites.hpp"
#include "search/flight_search.hpp"
#include "search/search_types.hpp"

namespace quorvel {

namespace {

// The page text, one line at a time.
class Lines {
  public:
    Lines& operator<<(std::string_view line) {
        text_ += line;
        text_ += '\n';
        return *this;
    }
    std::string take() { return std::move(text_); }

  private:
    std::string text_;
};

constexpr std::string_view charset_meta =
    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">";

struct AirlineTexts {
    Airline airline;
    std::string_view name;  // "JAL": company[i], the window and file names
    std::string_view form;  // "jal": the form's name in inq.htm and in the relay page
    Site site;
    std::string_view title, notice;
    std::string_view method, path;
    std::vector<std::pair<std::string_view, std::string_view>> fixed;   // hidden name, value
    std::vector<std::pair<std::string_view, std::string_view>> copied;  // own field, inq.htm field
};

const std::array<AirlineTexts, 3>& airline_texts() {
    static const std::array<AirlineTexts, 3> texts{{
        {Airline::jal,
         "JAL",
         "jal",
         Site::jal_inquiry,
         "<TITLE>日本航空(JAL)の空席照会中!!</TITLE>",
         "日本航空（ＪＡＬ）の空席照会中!!　しばらくお待ちください。<BR>",
         "post",
         "/cgi-bin/db2www/avarvout.d2w/report",
         {},
         {{"MONTH", "MONTH"}, {"DAY", "DAY"}, {"DPORT", "FROM"}, {"APORT", "TO"}, {"TIME", "TIME"}}},
        {Airline::ana,
         "ANA",
         "ana",
         Site::ana_inquiry,
         "<TITLE>全日空(ANA)の空席照会中!!</TITLE>",
         "全日空（ＡＮＡ）の空席照会中!!　しばらくお待ちください。<BR>",
         "post",
         "/drs/vacant2.cgi",
         {{"SEGMENT_NO", "0"}, {"RESERVE_FLAG", "0"}},
         {{"E_MONTH", "MONTH"}, {"E_DAY", "DAY"}, {"D_PLACE", "FROM"}, {"A_PLACE", "TO"}}},
        {Airline::jas,
         "JAS",
         "jas",
         Site::jas_inquiry,
         "<TITLE>日本エアシステム(JAS)の空席・運賃を照会しています。</TITLE>",
         "日本エアシステム（ＪＡＳ）の空席照会中!!　しばらくお待ちください。<BR>",
         "GET",
         "/cgi/rsvn/r02v.asp",
         {{"gmid", "0"}, {"shoriFlg", "0"}, {"shoriCls", "1"}, {"shoriIn", "1"}, {"filt_su", "0"}},
         {{"flt_m_in", "MONTH"}, {"flt_d_in", "DAY"}, {"flt_depAp_in", "FROM"}, {"flt_ariAp_in", "TO"}}},
    }};
    return texts;
}

const AirlineTexts& texts_of(Airline a) { return airline_texts()[static_cast<std::size_t>(a) - 1]; }

std::string in_quotes(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool offered(const InquiryFlags& flags, Airline a) {
    switch (a) {
        case Airline::jal:
            return flags.enquire_jal == 1;
        case Airline::ana:
            return flags.enquire_ana == 1;
        case Airline::jas:
            return flags.enquire_jas == 1;
    }
    return false;
}

std::string apt(const Timetable& tt, int i) { return tt.airport_name[i]; }

// ---- relay pages (crt_jal_html, crt_ana_html, crt_jas_html) ---------------------------------------

std::string crt_send_html(const AirlineTexts& a, const std::string& action) {
    Lines h;
    h << "<HTML>"
      << "<HEAD>" << charset_meta << a.title << "</HEAD>"
      << "<BODY bgcolor=\"#FFFFFF\">";
    h << "<font face=\"ＭＳ Ｐゴシック\" size=\"5\"><br>"
      << "<BR>"
      << "<BR>"
      << "<BR>";
    h << "<center>" + std::string(a.notice) + "</center>"
      << "</font>";
    h << "<FORM name=\"" + std::string(a.form) + "\" method=\"" + std::string(a.method) + "\" action=\"" +
             html_escape(action) + "\">";
    for (const auto& [name, value] : a.fixed)
        h << "<INPUT type=\"hidden\" name=\"" + std::string(name) + "\" value=\"" + std::string(value) +
                 "\">";
    for (const auto& [own, from] : a.copied)
        h << "<INPUT type=\"hidden\" name=\"" + std::string(own) + "\" value=\"\">";
    h << "</FORM>";
    // The enquiry page is another origin (file://), so its values come in this page's own address.
    h << "<SCRIPT language=\"JavaScript\">"
      << "<!--";
    h << "function kuseki_value(name) {";
    h << "    var pairs = location.search.substring(1).split(\"&\");";
    h << "    for (var k = 0; k < pairs.length; k++) {";
    h << "        var eq = pairs[k].indexOf(\"=\");";
    h << "        if (eq > 0 && pairs[k].substring(0, eq) == name) {";
    h << "            return decodeURIComponent(pairs[k].substring(eq + 1).replace(/\\+/g, \" \"));";
    h << "        }";
    h << "    }";
    h << "    return \"\";";
    h << "}";
    h << "if (location.search != \"\") {";
    const std::string form = "document." + std::string(a.form) + ".";
    for (const auto& [own, from] : a.copied)
        h << "    " + form + std::string(own) + ".value = kuseki_value(\"" + std::string(from) + "\");";
    h << "    " + form + "submit();";
    h << "}";
    h << "//-->"
      << "</SCRIPT>"
      << "</BODY>"
      << "</HTML>";
    return h.take();
}

std::string crt_jal_html(const std::string& action) { return crt_send_html(texts_of(Airline::jal), action); }
std::string crt_ana_html(const std::string& action) { return crt_send_html(texts_of(Airline::ana), action); }
std::string crt_jas_html(const std::string& action) { return crt_send_html(texts_of(Airline::jas), action); }

// ---- date pop-up (crt_calender_html) ---------------------------------------------------------------

void calender_script(Lines& h) {
    h << "function calender() {";
    h << "    var today = new Date();";
    h << "    var year = today.getFullYear();";
    h << "    var month = today.getMonth() + 1;";
    h << "    var day = today.getDate();";
    h << "    var week = new Array(\"Sun\", \"Mon\", \"Tue\", \"Wed\", \"Thr\", \"Fri\", \"Sat\");";
    h << "    document.write(\"<FORM name=\\\"calender\\\">\");";
    h << "    for (var k = 0; k < 3; k++) {";
    h << "        var y = year;";
    h << "        var m = month + k;";
    h << "        if (m > 12) {";
    h << "            m = m - 12;";
    h << "            y = y + 1;";
    h << "        }";
    h << "        var mdays = new Array(31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31);";
    h << "        if ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0) mdays[1] = 29;";
    h << "        var first = new Date(y, m - 1, 1).getDay();";
    h << "        document.write(\"<TABLE border=\\\"1\\\">\");";
    h << "        document.write(\"<TR><TD colspan=\\\"7\\\" align=\\\"center\\\" bgcolor=\\\"#99FFCC\\\">\" "
         "+ y + "
         "\"年\" + m + \"月</TD></TR>\");";
    h << "        document.write(\"<TR>\");";
    h << "        for (var w = 0; w < 7; w++) document.write(\"<TD bgcolor=\\\"#99FFDD\\\">\" + week[w] + "
         "\"</TD>\");";
    h << "        document.write(\"</TR><TR>\");";
    h << "        var cells = 0;";
    h << "        for (var e = 0; e < first; e++) {";
    h << "            document.write(\"<TD></TD>\");";
    h << "            cells++;";
    h << "        }";
    h << "        for (var d = 1; d <= mdays[m - 1]; d++) {";
    h << "            if (cells > 0 && cells % 7 == 0) document.write(\"</TR><TR>\");";
    // Today and the next two months: the airlines answer for two months ahead.
    h << "            if ((k == 0 && d >= day) || k == 1 || (k == 2 && d <= day)) {";
    h << "                document.write(\"<TD><INPUT type=\\\"button\\\" value=\\\"\" + d + "
         "\"\\\" onclick=\\\"hukuro(\" "
         "+ m + \",\" + d + \")\\\"></TD>\");";
    h << "            } else {";
    h << "                document.write(\"<TD>\" + d + \"</TD>\");";
    h << "            }";
    h << "            cells++;";
    h << "        }";
    h << "        document.write(\"</TR></TABLE><BR>\");";
    h << "    }";
    h << "    document.write(\"</FORM>\");";
    h << "}";
    // The enquiry page is another origin: answer it with a message instead of writing its form.
    h << "function hukuro(ii,jj) {";
    h << "    if (window.opener && !window.opener.closed) {";
    h << "        window.opener.postMessage({calender_month: ii, calender_day: jj}, \"*\");";
    h << "    }";
    h << "    window.close();";
    h << "}";
}

std::string crt_calender_html() {
    Lines h;
    h << "<HTML>"
      << "<HEAD>" << charset_meta << "<TITLE>Calender</TITLE>"
      << "</HEAD>";
    h << "<SCRIPT language=\"JavaScript\">"
      << "<!--";
    calender_script(h);
    h << "//-->"
      << "</SCRIPT>";
    h << "<BODY bgcolor=\"#dcdcdc\">"
      << "<font size=\"2\">";
    h << "<B>搭乗日をクリックしてください。<BR>"
      << "２ヶ月先まで空席照会できます。</B></font>";
    h << "<SCRIPT language=\"JavaScript\">"
      << "<!--"
      << "calender();"
      << "//-->"
      << "</SCRIPT>";
    h << "</BODY>"
      << "</HTML>";
    return h.take();
}

// ---- enquiry page (crt_java_html) ------------------------------------------------------------------

struct EnquiryPage {
    const Timetable& tt;
    const SearchConditions& cond;
    const InquiryFlags& flags;
    AirportCheck check;
    std::vector<Airline> airlines;
    bool time_band = false;  // enquire_jal = 1 and inq_time_flag = 1
};

std::string company_array(const EnquiryPage& p) {
    std::string list;
    for (Airline a : p.airlines) list += (list.empty() ? "" : ", ") + in_quotes(texts_of(a).name);
    return "new Array(" + list + ")";
}

void kuseki_block(Lines& h, const EnquiryPage& p, std::size_t index) {
    const Airline a = p.airlines[index];
    const std::string name(texts_of(a).name);
    h << (index == 0 ? std::string("    if (i == 0) {")
                     : "        if (i == " + std::to_string(index) + ") {");
    std::string months;
    static constexpr std::array<std::string_view, 12> month_names = {
        "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    for (int m = 1; m <= 12; ++m)
        months += (m == 1 ? "" : ", ") +
                  in_quotes(a == Airline::ana ? std::string(month_names[m - 1]) : std::to_string(m));
    h << "        var month = new Array(" + months + ");";
    h << "        var airport = new Array(" + airport_options(a, p.tt, p.check) + ");";
    h << "        para_mon = month[document.INPUT1.MONTH.selectedIndex];";
    h << "        para_day = String(document.INPUT1.DAY.selectedIndex + 1);";
    h << "        para_from = airport[document.INPUT1.FROM.selectedIndex];";
    h << "        para_to = airport[document.INPUT1.TO.selectedIndex];";
    h << "        if (para_from == \"\") {"
      << "            err1 = \"" + name + "\";"
      << "            err2 = 1;";
    h << "        } else if (para_to == \"\") {"
      << "            err1 = \"" + name + "\";"
      << "            err2 = 2;";
    h << "        }";
    if (a == Airline::jas) {
        h << "        if (para_mon.length < 2) para_mon = \"0\" + para_mon;";
        h << "        if (para_day.length < 2) para_day = \"0\" + para_day;";
    }
    if (a == Airline::jal && p.time_band)
        h << "        document.jal.TIME.value = document.INPUT1.TIME.selectedIndex;";
    h << "    }";
}

void open_kuseki(Lines& h, const EnquiryPage& p) {
    h << "function open_kuseki(i) {";
    h << "    var err1 = \"\";"
      << "    var err2 = 0;"
      << "    var para_mon = \"\";"
      << "    var para_day = \"\";";
    h << "    var para_from = \"\";"
      << "    var para_to = \"\";";
    h << "    var company = " + company_array(p) + ";";
    for (std::size_t b = 0; b < p.airlines.size(); ++b) kuseki_block(h, p, b);
    h << "    if (err1 == \"\") {";
    h << "        document.forms[i].MONTH.value = para_mon;";
    h << "        document.forms[i].DAY.value = para_day;";
    h << "        document.forms[i].FROM.value = para_from;";
    h << "        document.forms[i].TO.value = para_to;";
    // The relay page lies beside this one, whatever the folder is called.
    h << "        window.open(company[i] + \"_send.htm\" + kuseki_query(document.forms[i]), company[i] + "
         "\"_window\");";
    h << "        return true;";
    h << "    }";
    h << "    if (err2 == 1) {"
      << "        alert(err1 + \"はこの[出発地]を指定できません。\");";
    h << "    } else {"
      << "        alert(err1 + \"はこの[到着地]を指定できません。\");"
      << "    }";
    h << "    document.INPUT2.elements[i].checked = false;";
    h << "    return false;";
    h << "}";
}

// A browser opens one window per click, so sub() opens the next ticked airline on each click and
// says on the page which one the next click opens.
void sub_functions(Lines& h, const EnquiryPage& p) {
    h << "var kuseki_company = " + company_array(p) + ";";
    h << "var kuseki_queue = new Array();";
    h << "function kuseki_query(f) {";
    h << "    var q = \"\";";
    h << "    for (var k = 0; k < f.elements.length; k++) {";
    h << "        q += (k == 0 ? \"?\" : \"&\") + f.elements[k].name + \"=\" + "
         "encodeURIComponent(f.elements[k].value);";
    h << "    }";
    h << "    return q;";
    h << "}";
    h << "function kuseki_note() {";
    h << "    var note = \"\";";
    h << "    for (var k = 0; k < kuseki_queue.length; k++) {";
    h << "        if (document.INPUT2.elements[kuseki_queue[k]].checked) {";
    h << "            note = \"続けて[空席照会]ボタンをクリックすると、\" + kuseki_company[kuseki_queue[k]] "
         "+ "
         "\"の空席照会ウィンドゥが開きます。\";";
    h << "            break;";
    h << "        }";
    h << "    }";
    h << "    var span = document.getElementById(\"kuseki_next\");";
    h << "    if (span) span.textContent = note;";
    h << "}";
    h << "function sub() {";
    h << "    if (document.INPUT1.FROM.selectedIndex == document.INPUT1.TO.selectedIndex) {";
    h << "        alert(\"[出発地]と[到着地]は違う空港を選択してください。\");";
    h << "        return;";
    h << "    }";
    h << "    if (kuseki_queue.length == 0) {";
    h << "        for (var i = 0; i < " + std::to_string(p.airlines.size()) + "; i++) {";
    h << "            if (document.INPUT2.elements[i].checked) kuseki_queue.push(i);";
    h << "        }";
    h << "    }";
    h << "    while (kuseki_queue.length > 0) {";
    h << "        var next = kuseki_queue.shift();";
    h << "        if (document.INPUT2.elements[next].checked) {";
    h << "            open_kuseki(next);";
    h << "            break;";
    h << "        }";
    h << "    }";
    h << "    kuseki_note();";
    h << "}";
}

void page_functions(Lines& h) {
    h << "function ouro() {"
      << "    document.INPUT1.FROM.selectedIndex = 0;"
      << "    document.INPUT1.TO.selectedIndex = 1;"
      << "}";
    h << "function hukuro() {"
      << "    document.INPUT1.FROM.selectedIndex = 1;"
      << "    document.INPUT1.TO.selectedIndex = 0;"
      << "}";
    h << "function res() {"
      << "    document.INPUT1.reset();"
      << "    document.INPUT2.reset();"
      << "    kuseki_queue = new Array();"
      << "    kuseki_note();"
      << "}";
    h << "var calender_window = null;";
    h << "function calender() {";
    h << "    calender_window = window.open(\"calender.htm\", \"calender\", "
         "\"width=250,height=500,scrollbars=yes,resizable=no\");";
    h << "    if (calender_window) calender_window.focus();";
    h << "}";
    // The pop-up's answer; only the pop-up this page opened may set the date.
    h << "function calender_answer(e) {";
    h << "    if (calender_window == null || e.source !== calender_window) return;";
    h << "    var d = e.data;";
    h << "    if (!d || typeof d.calender_month != \"number\" || typeof d.calender_day != \"number\") "
         "return;";
    h << "    if (d.calender_month < 1 || d.calender_month > 12 || d.calender_day < 1 || d.calender_day > "
         "31) return;";
    h << "    document.INPUT1.MONTH.selectedIndex = d.calender_month - 1;";
    h << "    document.INPUT1.DAY.selectedIndex = d.calender_day - 1;";
    h << "}";
    h << "window.addEventListener(\"message\", calender_answer, false);";
}

void java_head(Lines& h, const EnquiryPage& p) {
    h << "<SCRIPT language=\"JavaScript\">"
      << "<!--";
    open_kuseki(h, p);
    sub_functions(h, p);
    page_functions(h);
    h << "//-->"
      << "</SCRIPT>";
}

void java_body1(Lines& h, const EnquiryPage& p) {
    for (Airline a : p.airlines) {
        h << "<FORM name=\"" + std::string(texts_of(a).form) + "\">";
        for (std::string_view field : {"MONTH", "DAY", "FROM", "TO"})
            h << "<INPUT type=\"hidden\" name=\"" + std::string(field) + "\" value=\"\">";
        if (a == Airline::jal) h << "<INPUT type=\"hidden\" name=\"TIME\" value=\"0\">";
        h << "</FORM>";
    }
}

void put_html_1(Lines& h, const EnquiryPage& p) {
    h << "<HTML><HEAD>" << charset_meta;
    h << "<TITLE>ケルバ国内線時刻表＆ホテル情報</TITLE></HEAD>";
    java_head(h, p);
    h << "<BODY BGCOLOR=\"#FFFFE0\">";
    java_body1(h, p);
    h << "<font face=\"ＭＳ Ｐゴシック\" size=\"3\">"
      << "<BR>"
      << "<BR>"
      << "<center>"
      << "<font size=\"5\">";
    h << "<B>ケルバ時刻表＆ホテル情報</B>"
      << "</font>"
      << "</center>";
}

void instructions(Lines& h, const EnquiryPage& p) {
    h << "<TABLE border=\"0\"><TR><TD>";
    h << "フライトスケジュールと空席状況を航空会社ごとに照会できます。<BR>";
    if (p.time_band)
        h << "搭乗予定月日、出発地、到着地、利用時間帯（ＪＡＬのみ）を指定してください。<BR>";
    else
        h << "搭乗予定月日、出発地、到着地を指定してください。<BR>";
    h << "時刻表検索条件を初期表示していますが、出発地、到着地の変更もできます。<BR>";
    h << "<A "
         "HREF=\"javascript:calender()\">カレンダ表示</"
         "A>を使用するとワンタッチで搭乗予定月日を指定できます。<BR>";
    if (p.time_band)
        h << "JALで<STRONG>東京-札幌、東京-福岡、東京-大阪、東京-沖縄</"
             "STRONG>を利用する場合のみ時間帯を指定してください<BR>";
    h << "<BR>"
      << "空席状況は２ヶ月先の便まで表示されます。<BR>"
      << "２ヶ月より先の搭乗予定月日を指定した場合、照会エラーとなります。<BR>";
    if (p.airlines.size() > 1) {
        h << "複数の航空会社を選択した場合、航空会社ごとにウィンドゥが開きます。<BR>";
        h << "[空席照会]ボタンを１回クリックするごとに、航空会社１社分のウィンドゥが開きます。<BR>";
    }
    h << "JavaScriptを有効にしてご利用ください。<BR>";
    h << "</TD></TR></TABLE>";
}

void number_select(Lines& h, std::string_view name, int last, int selected) {
    h << "<SELECT name=\"" + std::string(name) + "\">";
    for (int n = 1; n <= last; ++n) {
        const std::string v = std::to_string(n);
        h << "<OPTION value=\"" + v + "\"" + (n == selected ? " selected>" : ">") + v;
    }
    h << "</SELECT>";
}

void airport_select(Lines& h, const EnquiryPage& p, std::string_view name, int selected) {
    h << "<SELECT name=\"" + std::string(name) + "\">";
    for (int i = 1; i <= p.tt.airport_count; ++i) {
        if (p.check.offer_flag[i] != "y") continue;
        h << "<OPTION value=\"" + html_escape(p.tt.airport_code4[i]) + "\"" +
                 (i == selected ? " selected>" : ">") + html_escape(apt(p.tt, i));
    }
    h << "</SELECT>";
}

void input1(Lines& h, const EnquiryPage& p) {
    h << "<FORM name=\"INPUT1\">"
      << "<TABLE border=\"1\">";
    h << "<TR><TD>搭乗予定月日</TD><TD>";
    number_select(h, "MONTH", 12, p.cond.travel_month);
    h << "月";
    number_select(h, "DAY", 31, p.cond.travel_day);
    h << "日"
      << "<INPUT type=\"button\" value=\"カレンダ表示\" onclick=\"calender()\">"
      << "</TD></TR>";
    if (p.time_band) {
        h << "<TR><TD>利用時間帯（ＪＡＬのみ）</TD><TD>"
          << "<SELECT name=\"TIME\">";
        h << "<OPTION value=\"0\" selected>午前中"
          << "<OPTION value=\"1\">午後"
          << "<OPTION value=\"2\">夕方";
        h << "</SELECT>"
          << "</TD></TR>";
    }
    h << "<TR><TD>出発地</TD><TD>";
    airport_select(h, p, "FROM", p.check.enquiry_from_row);
    h << "</TD></TR>"
      << "<TR><TD>到着地</TD><TD>";
    airport_select(h, p, "TO", p.check.enquiry_to_row);
    h << "</TD></TR>"
      << "</TABLE>"
      << "</FORM>";
}

void input2(Lines& h, const EnquiryPage& p) {
    const std::size_t n = p.airlines.size();
    h << "<FORM name=\"INPUT2\">"
      << "<TABLE border=\"1\">";
    if (n > 1) h << "<TR><TH colspan=\"" + std::to_string(n) + "\">航空会社の選択</TH></TR>";
    h << "<TR>";
    for (std::size_t b = 0; b < n; ++b)
        h << "<TD><INPUT type=\"checkbox\" name=\"" + std::to_string(b) + "\" checked>" +
                 std::string(texts_of(p.airlines[b]).name) + "空席照会</TD>";
    h << "</TR>"
      << "</TABLE>";
    h << "<B>照会条件を指定したら [空席照会]ボタンをクリックしてください</B><BR>";
    h << std::string("<INPUT type=\"button\" value=\"空席照会\" onclick=\"") +
             (n > 1 ? "sub()" : "open_kuseki(0)") + "\">";
    h << "<INPUT type=\"button\" value=\"初期値に戻す\" onclick=\"res()\">";
    if (n > 1) h << "<BR><SPAN id=\"kuseki_next\"></SPAN>";
    h << "</FORM>";
}

void java_body2(Lines& h, const EnquiryPage& p) {
    h << "<HR>"
      << "<A name=\"kuseki\"></A>";
    h << "<FONT COLOR=\"#0000CC\"><H2>" + html_escape(p.cond.from_airport) + "　→　" +
             html_escape(p.cond.to_airport) + "　空席照会</FONT></H2><P>";
    instructions(h, p);
    input1(h, p);
    input2(h, p);
}

void put_html_2(Lines& h, const EnquiryPage& p) {
    java_body2(h, p);
    h << "<HR>"
      << "<BR>"
      << "<BR>"
      << "</font>"
      << "</BODY>"
      << "</HTML>";
}

std::string crt_java_html(const Timetable& tt, const SearchConditions& cond, const InquiryFlags& flags) {
    EnquiryPage p{tt, cond, flags, check_enquiry_airports(tt, cond, flags), offered_airlines(flags), false};
    p.time_band =
        flags.enquire_jal == 1 && jal_time_band(tt, p.check.enquiry_from_row, p.check.enquiry_to_row);
    Lines h;
    put_html_1(h, p);
    put_html_2(h, p);
    return h.take();
}

std::string with_crlf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace

AirportCheck check_enquiry_airports(const Timetable& tt, const SearchConditions& cond,
                                    const InquiryFlags& flags) {
    AirportCheck c;
    for (int i = 1; i <= tt.airport_count; ++i) {
        if (apt(tt, i) == cond.from_airport) c.enquiry_from_row = i;
        if (apt(tt, i) == cond.to_airport) c.enquiry_to_row = i;
        if (c.enquiry_from_row != 0 && c.enquiry_to_row != 0) break;
    }
    for (std::size_t i = 1; i <= static_cast<std::size_t>(tt.airport_count); ++i) {
        c.code[0][i] = trim(tt.airport_code1[i]);
        c.code[1][i] = trim(tt.airport_code2[i]);
        c.code[2][i] = trim(tt.airport_code3[i]);
        const bool listed = (flags.enquire_jal == 1 && !c.code[0][i].empty()) ||
                            (flags.enquire_ana == 1 && !c.code[1][i].empty()) ||
                            (flags.enquire_jas == 1 && !c.code[2][i].empty());
        c.offer_flag[i] = listed ? "y" : "";
    }
    return c;
}

std::string airport_options(Airline airline, const Timetable& tt, const AirportCheck& check) {
    const auto& codes = check.code[static_cast<std::size_t>(airline) - 1];
    std::string codes_text;
    for (std::size_t i = 1; i <= static_cast<std::size_t>(tt.airport_count); ++i) {
        if (check.offer_flag[i] != "y") continue;
        if (!codes_text.empty()) codes_text += ",";
        codes_text += in_quotes(js_escape(codes[i]));
    }
    return codes_text;
}

bool jal_time_band(const Timetable& tt, int enquiry_from_row, int enquiry_to_row) {
    if (enquiry_from_row < 1 || enquiry_to_row < 1 || enquiry_from_row > tt.airport_count ||
        enquiry_to_row > tt.airport_count)
        return false;
    const auto pair = [&](const std::string& a, const std::string& b) {
        return starts_with(a, "東京") && (b == "福岡" || b == "札幌" || starts_with(b, "大阪"));
    };
    const std::string from = apt(tt, enquiry_from_row), to = apt(tt, enquiry_to_row);
    return pair(from, to) || pair(to, from);
}

std::vector<Airline> offered_airlines(const InquiryFlags& flags) {
    std::vector<Airline> list;
    for (Airline a : {Airline::jal, Airline::ana, Airline::jas})
        if (offered(flags, a)) list.push_back(a);
    return list;
}

std::string html_escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string js_escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto u = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"' || c == '\'') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || u == 0x7f || c == '<' || c == '>' || c == '&') {
            // Also keeps "</SCRIPT>" and "<!--" out of the script element.
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\x%02X", u);
            out += buf;
        } else if (text.substr(i, 3) == "\xE2\x80\xA8" || text.substr(i, 3) == "\xE2\x80\xA9") {
            out += text[i + 2] == '\xA8' ? "\\u2028" : "\\u2029";  // line ends to older parsers
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

const InquiryPage* InquiryPages::find(std::string_view file_name) const {
    for (const InquiryPage& p : pages)
        if (p.file_name == file_name) return &p;
    return nullptr;
}

Result<InquiryPages> build_inquiry_pages(const Timetable& tt, const SearchConditions& cond,
                                         const InquiryFlags& flags, const Sites& sites) {
    using RelayPage = std::string (*)(const std::string&);
    static constexpr std::array<RelayPage, 3> relay_pages = {&crt_jal_html, &crt_ana_html, &crt_jas_html};
    InquiryPages out;
    std::string missing;
    for (const AirlineTexts& a : airline_texts()) {
        const auto action = sites.address(a.site, a.path);
        if (!action) {
            if (offered(flags, a.airline))
                missing += (missing.empty() ? "" : ", ") + std::string(site_key(a.site)) + " (" +
                           std::string(a.name) + ")";
            continue;
        }
        const RelayPage page = relay_pages[static_cast<std::size_t>(a.airline) - 1];
        out.pages.push_back({std::string(a.name) + "_send.htm", page(*action)});
    }
    if (!missing.empty())
        return make_error(ErrorCode::invalid, missing + " not configured in " + std::string(sites_file_name) +
                                                  "; the seat enquiry pages are not written");
    out.pages.push_back({"calender.htm", crt_calender_html()});
    out.pages.push_back({std::string(inq_page_name), crt_java_html(tt, cond, flags)});
    return out;
}

Result<std::filesystem::path> write_inquiry_pages(const std::filesystem::path& dir,
                                                  const InquiryPages& pages) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec || !std::filesystem::is_directory(dir))
        return make_error(ErrorCode::io, dir.string() +
                                             ": the folder for the seat enquiry pages cannot be created" +
                                             (ec ? ": " + ec.message() : std::string()));
    std::filesystem::path inq;
    for (const InquiryPage& page : pages.pages) {
        const auto path = dir / page.file_name;
        auto sjis = utf8_to_sjis(with_crlf(page.text));
        if (!sjis) return make_error(ErrorCode::encoding, path.string() + ": " + sjis.error().message);
        if (Status s = write_file_atomically(path, *sjis); !s) return s.error();
        if (page.file_name == inq_page_name) inq = path;
    }
    if (inq.empty())
        return make_error(ErrorCode::invalid, (dir / inq_page_name).string() + ": no enquiry page to write");
    return inq;
}

Result<InquiryPages> seat_enquiry_pages(const Timetable& tt, const FlightSearchResult& search,
                                        const Sites& sites) {
    const ResultList& list = search.list;
    return build_inquiry_pages(tt, search.conditions,
                               InquiryFlags{list.enquire_jal, list.enquire_ana, list.enquire_jas}, sites);
}

}  // namespace quorvel
