#include "report/report_job.h"
#include "report/report_picture.h"

// The one symbol the module shows: the binary looks it up by name.
extern "C" __attribute__((visibility("default"))) int afcdraw_render_report(ReportJob* job) {
  if (job->abi != report_abi) return -1;
  return draw_report_picture(*job);
}
