#pragma once

// Every message a run or a batch prints on standard output, in one place;
// where a line is built from parts, its format strings and fixed parts. Batch
// scripts match these lines byte for byte, so each text is part of the
// interface as it stands, including its prefix: "draw_gif(): ",
// "create_graphics_vector(): " and the others named the functions of the
// first version and name no function now. Never edit one; a new failure
// gets a new text.
namespace message {

// The command line.
inline constexpr char few_parameters[] = "parse_cmd(): Few parameters";
inline constexpr char no_input_file[] = "parse_cmd(): Input filename not found";
inline constexpr char input_too_long[] = "parse_cmd(): Input filename too long";
inline constexpr char no_output_file[] = "parse_cmd(): Output filename not found";
inline constexpr char output_too_long[] = "parse_cmd(): Output filename too long";
inline constexpr char bad_x_range[] = "parse_cmd(): Incorrect [FREQ=] value";
inline constexpr char bad_format[] = "parse_cmd(): Incorrect [FORMAT=] value";
inline constexpr char bad_y_range[] = "parse_cmd(): Incorrect [Y_AXIS=] value";
inline constexpr char bad_p_range[] = "parse_cmd(): Incorrect [P_AXIS=] value";
inline constexpr char bad_legend[] = "parse_cmd(): Incorrect [LEGEND=] value";
inline constexpr char bad_d_range[] = "parse_cmd(): Incorrect [D_AXIS=] value";
inline constexpr char bad_tolerance[] = "parse_cmd(): Incorrect [TOL=] value";
inline constexpr char nothing_to_judge[] = "parse_cmd(): Nothing to judge with [TOL=]";
inline constexpr char bad_units[] = "parse_cmd(): Incorrect [UNITS=] value";
inline constexpr char bad_norm[] = "parse_cmd(): Incorrect [NORM=] value";
inline constexpr char bad_nyquist[] = "parse_cmd(): Incorrect [NYQUIST=] value";
// CHANNEL=, STAGES=, TIME=, DELAY=, GAIN= and POINTS= refused: the key
// between these two.
inline constexpr char incorrect_prefix[] = "parse_cmd(): Incorrect [";
inline constexpr char incorrect_suffix[] = "] value";
// With -strict, the first warning, after this prefix.
inline constexpr char strict_prefix[] = "parse_cmd(): ";

// Reading a response file. A failing further file (IN2= ...) adds ": ", its
// key and its path.
inline constexpr char file_open_error[] = "read_in(): File open error";
inline constexpr char unable_to_read[] = "read_in(): Unable to read file content";
inline constexpr char file_read_error[] = "read_in(): File read error";
inline constexpr char no_point[] = "str2graph(): Couldn't find any point";
inline constexpr char no_memory_for_points[] = "str2graph(): Not enough memory for the points";
// Followed by ", line N: " and what is wrong there.
inline constexpr char bad_pole_zero[] = "str2graph(): Incorrect pole-zero file";
// Station metadata (RESP, StationXML); the cause, naming the file and its
// line or element, follows on standard error.
inline constexpr char bad_metadata[] = "str2graph(): Incorrect station metadata";
inline constexpr char no_channel_epoch[] = "str2graph(): No channel epoch matches";
inline constexpr char several_channel_epochs[] = "str2graph(): Several channel epochs match";
inline constexpr char metadata_not_evaluated[] = "str2graph(): Unable to evaluate the response";
// A PHASE= file that is a pole-zero file or station metadata: its key and
// path follow. The text stays as the first such file made it.
inline constexpr char phase_file_pole_zero[] =
    "read_in(): A phase file must list frequencies and degrees, not poles and zeros";

// Normalising a response with NORM=; ": ", the key and path follow.
inline constexpr char nothing_at_norm[] = "convert(): No data around the NORM= frequency";

// Comparing the responses with -diff; ": ", the key and path follow.
inline constexpr char no_common_frequency[] =
    "draw_diff(): No frequency in common with the IN= response";

// Planning and drawing the picture. An axis range the mapping refuses is
// reported as mapping_refused followed by one of the four axis messages.
inline constexpr char amplitude_not_positive[] = "draw_gif(): Max (or Min) amplitude <= 0";
inline constexpr char mapping_refused[] = "draw_gif()-> ";
inline constexpr char x_log_refused[] =
    "create_graphics_vector(): Incorrect X-axis values for Log10-scale";
inline constexpr char x_linear_refused[] =
    "create_graphics_vector(): Incorrect X-axis values for Line-scale";
inline constexpr char y_log_refused[] =
    "create_graphics_vector(): Incorrect Y-axis values for Log10-scale";
inline constexpr char y_linear_refused[] =
    "create_graphics_vector(): Incorrect Y-axis values for Line-scale";
inline constexpr char no_memory_for_picture[] = "draw_gif(): Not enough memory for the picture";
inline constexpr char picture_not_created[] = "draw_gif(): Unable to create the picture";
// The report style; the cause follows on standard error.
inline constexpr char report_unavailable[] = "draw_report(): Report style unavailable";
inline constexpr char report_not_drawn[] = "draw_report(): Unable to draw the picture";

// Encoding and writing it.
inline constexpr char not_encoded[] = "draw_gif(): Unable to encode the picture";
inline constexpr char output_not_created[] = "draw_gif(): Unable to create output file";
inline constexpr char output_is_input[] = "draw_gif(): Output file is the input file";
inline constexpr char output_not_written[] = "draw_gif(): Unable to write output file";
inline constexpr char output_not_replaced[] = "draw_gif(): Unable to replace output file";

// The verdict of TOL= on each further response, a line each: the key
// without its "=" ("IN2"), then what was measured, then the verdict. Formats
// for snprintf, taking the key as a length and its characters.
inline constexpr char verdict_unmeasured[] =
    "%.*s: no deviation in the frequency range: outside tolerance";
inline constexpr char verdict_amplitude[] = "%.*s: max deviation %.3g dB at %.3g Hz";
inline constexpr char verdict_phase[] = ", %.3g deg at %.3g Hz";  // after verdict_amplitude
inline constexpr char verdict_no_phase[] = ", no phase deviation";
inline constexpr char verdict_end[] = ": %s tolerance";  // within or outside
inline constexpr char within[] = "within";
inline constexpr char outside[] = "outside";
// A response with points that could not be judged: after the key and ": ",
// or after what was measured and ", ", "58 points not judged (5–30 Hz:
// amplitude <= 0; 200 Hz: no phase): not judged", the ranges of points
// side by side with one reason (why_...), the first few of them, then a
// count.
inline constexpr char not_judged_point[] = " point not judged (";  // after the count, 1
inline constexpr char not_judged_points[] = " points not judged (";
inline constexpr char not_judged_between[] = "; ";
inline constexpr char not_judged_to[] = "\u2013";          // between a range's two ends
inline constexpr char not_judged_why[] = " Hz: ";          // then one of the reasons
inline constexpr char not_judged_more[] = " more ranges";  // after "; " and a count
inline constexpr char not_judged_end[] = "): not judged";
inline constexpr char why_amplitude_not_positive[] = "amplitude <= 0";
inline constexpr char why_amplitude_not_finite[] = "amplitude not finite";
inline constexpr char why_beyond_reference[] = "outside the IN= frequencies";
inline constexpr char why_reference_dead[] = "IN= amplitude <= 0 or not finite";
inline constexpr char why_no_phase[] = "no phase";
inline constexpr char why_no_reference_phase[] = "no IN= phase";

// A batch: a line per failed job, "batch:LINE: STATUS: MESSAGE" with the
// batch file's name first (batch_job_line, a printf format), the message
// the job's own or one of these.
inline constexpr char batch_job_line[] = "%s:%ld: %d: %s\n";
inline constexpr char batch_unreadable[] = "batch(): Unable to read the batch file";
inline constexpr char job_outside_tolerance[] = "outside tolerance";
// A job failed by TOL= whose verdict lines say "not judged" and none
// "outside tolerance".
inline constexpr char job_not_judged[] = "not judged";
// Before a job's failure line, each verdict line it printed:
// "batch:LINE: IN2: max deviation ...: within tolerance".
inline constexpr char batch_verdict_line[] = "%s:%ld: %s\n";
inline constexpr char summary_unknown[] = "batch(): SUMMARY= names no .csv or .json file";
inline constexpr char summary_not_written[] = "batch(): Unable to write the summary";
inline constexpr char job_not_started[] =
    "batch(): Unable to start the job";  // ": " and why may follow
inline constexpr char job_garbled[] = "batch(): The job wrote into the batch's own channel";
inline constexpr char job_killed[] = "killed by signal";
inline constexpr char job_without_answer[] = "batch(): The job ended without an answer";
// Followed by one of the reasons below.
inline constexpr char job_line_unusable[] = "batch(): Unusable job line: ";
inline constexpr char backslash_ends_line[] = "a backslash ends the line";
inline constexpr char unterminated_single_quote[] = "an unterminated ' quote";
inline constexpr char unterminated_double_quote[] = "an unterminated \" quote";

// A network check (--qc); the cause follows on standard error.
inline constexpr char qc_unknown_argument[] = "qc(): Unknown argument";
inline constexpr char bad_nominal_table[] = "qc(): Incorrect NOMINAL= table";
inline constexpr char qc_not_written[] = "qc(): Unable to write the check's files";

// The merge of a network check's shards (--qc-merge); the cause follows on
// standard error.
inline constexpr char qc_merge_usage[] = "qc_merge(): Usage: --qc-merge DIR... OUTDIR=dir";
inline constexpr char qc_shard_unreadable[] = "qc_merge(): Unable to read a shard folder";
inline constexpr char qc_shards_overlap[] = "qc_merge(): Shard folders overlap";
inline constexpr char qc_files_not_written[] = "qc_merge(): Unable to write the merged files";

}  // namespace message
