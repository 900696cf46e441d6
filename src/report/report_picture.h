#pragma once

#include "report/report_job.h"

// Draws the job's picture onto its surface. Returns 0, or -1 with the
// reason in job.error.
int draw_report_picture(ReportJob& job);
