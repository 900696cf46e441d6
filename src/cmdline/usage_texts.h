#pragma once

// The Russian texts of the help, in Windows-1251 (at most 109 bytes each).
namespace usage_text {

extern const char description[];
extern const char purpose[];
extern const char notes[];
extern const char defaults[];
extern const char default_scale[];
extern const char default_size[];
extern const char default_range[];
extern const char usage[];
extern const char required[];
extern const char in[];
extern const char out[];
extern const char optional[];
extern const char x_axis[];
extern const char lin_x[];
extern const char lin_x_alias[];
extern const char lin_y[];
extern const char lin_y_alias[];
extern const char caption[];
extern const char size[];
extern const char sub_grid[];
extern const char sub_grid_x[];
extern const char sub_grid_y[];
extern const char dim_x[];
extern const char dim_y[];
extern const char statuses[];
extern const char status_0[];
extern const char status_1[];
extern const char status_2[];
extern const char status_3[];
extern const char status_4[];

}  // namespace usage_text
