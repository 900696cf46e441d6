#include "report/report_surface.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <algorithm>
#include <new>

#include "report/report_text.h"
#include "report/svg_ids.h"

namespace {

constexpr double pdf_points_per_pixel = 0.75;  // a pixel at 96 per inch

cairo_status_t write_to_job(void* closure, const unsigned char* data, unsigned int length) {
  auto* job = static_cast<ReportJob*>(closure);
  return job->write(job->sink, data, length) == 0 ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

// cairo writes text as outlines: the SVG is kept whole until its caption
// is added as its title, so that the file holds the text itself.
cairo_status_t keep_svg(void* closure, const unsigned char* data, unsigned int length) {
  try {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
  } catch (const std::bad_alloc&) {
    return CAIRO_STATUS_NO_MEMORY;
  }
}

// The text as XML character data; the control characters XML forbids
// become U+FFFD.
std::string xml_escaped(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    bool forbidden = static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r';
    if (forbidden) {
      escaped += "\xEF\xBF\xBD";
      continue;
    }
    switch (c) {
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '&':
        escaped += "&amp;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

}  // namespace

int write_svg(ReportJob& job, std::string& svg) {
  renumber_svg_ids(svg);
  const char* caption = job.options->caption;
  size_t root = svg.find("<svg");
  size_t after = root == std::string::npos ? root : svg.find(">\n", root);
  if (caption[0] != '\0' && after != std::string::npos) {
    svg.insert(after + 2, "<title>" + xml_escaped(valid_text(caption)) + "</title>\n");
  }
  return job.write(job.sink, reinterpret_cast<const unsigned char*>(svg.data()), svg.size());
}

Surface open_surface(ReportJob& job, std::string& svg, double& scale) {
  scale = job.plan->scale;
  int width = job.options->size_x, height = job.options->size_y;
  const PlotOptions& o = *job.options;
  // A page with units: its exact size in points, for SVG as for PDF.
  if (o.page_w_pt > 0 && job.format == OutputFormat::svg) {
    scale *= pdf_points_per_pixel;
    cairo_surface_t* s =
        cairo_svg_surface_create_for_stream(keep_svg, &svg, o.page_w_pt, o.page_h_pt);
    cairo_svg_surface_restrict_to_version(s, CAIRO_SVG_VERSION_1_1);
    cairo_svg_surface_set_document_unit(s, CAIRO_SVG_UNIT_PT);
    return Surface(s);
  }
  if (job.format == OutputFormat::svg) {
    cairo_surface_t* s = cairo_svg_surface_create_for_stream(keep_svg, &svg, width, height);
    cairo_svg_surface_restrict_to_version(s, CAIRO_SVG_VERSION_1_1);
    cairo_svg_surface_set_document_unit(s, CAIRO_SVG_UNIT_PX);
    return Surface(s);
  }
  if (job.format == OutputFormat::pdf) {
    scale *= pdf_points_per_pixel;
    bool page = o.page_w_pt > 0;
    cairo_surface_t* s = cairo_pdf_surface_create_for_stream(
        write_to_job, &job, page ? o.page_w_pt : width * pdf_points_per_pixel,
        page ? o.page_h_pt : height * pdf_points_per_pixel);
    // No creation date: the same command line writes the same file.
    cairo_pdf_surface_set_metadata(s, CAIRO_PDF_METADATA_CREATE_DATE, "");
    cairo_pdf_surface_set_metadata(s, CAIRO_PDF_METADATA_CREATOR, "afcdraw");
    std::string title = valid_text(job.options->caption);
    if (!title.empty()) cairo_pdf_surface_set_metadata(s, CAIRO_PDF_METADATA_TITLE, title.c_str());
    return Surface(s);
  }
  int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width);
  int rows = job.band_done != nullptr ? job.drawn_rows : height;
  return Surface(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(job.pixels),
                                                     CAIRO_FORMAT_RGB24, width, rows, stride));
}
