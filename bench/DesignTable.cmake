# velmora_design_table(<design.json> <header>): writes a C++ table of the design's controls for
# the start-up peer, so that it always holds what the design holds. Each row is the control's
# kind, caption and rectangle in twips, with its container's offset in twips (zero on the form);
# rows come in TabIndex order, the order the dialog manager walks.
function(velmora_design_table design header)
  file(READ ${design} json)
  string(JSON count LENGTH "${json}" controls)
  math(EXPR last "${count} - 1")
  # Offsets of the containers, by name.
  foreach(i RANGE ${last})
    string(JSON name GET "${json}" controls ${i} name)
    string(JSON left GET "${json}" controls ${i} left)
    string(JSON top GET "${json}" controls ${i} top)
    set(offset_${name} "${left}, ${top}")
  endforeach()
  set(rows "")
  foreach(i RANGE ${last})
    string(JSON kind GET "${json}" controls ${i} kind)
    string(JSON container GET "${json}" controls ${i} container)
    string(JSON tab GET "${json}" controls ${i} tabIndex)
    string(JSON caption ERROR_VARIABLE none GET "${json}" controls ${i} caption)
    if(kind STREQUAL "usercontrol")
      string(JSON caption GET "${json}" controls ${i} properties caption)
    elseif(none)
      set(caption "")
    endif()
    set(offset "0, 0")
    if(DEFINED offset_${container})
      set(offset "${offset_${container}}")
    endif()
    foreach(field left top width height)
      string(JSON ${field} GET "${json}" controls ${i} ${field})
    endforeach()
    string(REPLACE "\\" "\\\\" caption "${caption}")
    string(REPLACE "\"" "\\\"" caption "${caption}")
    # Padded TabIndex first, so that sorting the rows sorts them by TabIndex.
    string(LENGTH "${tab}" digits)
    math(EXPR pad "6 - ${digits}")
    string(REPEAT "0" ${pad} zeros)
    list(APPEND rows "${zeros}${tab}    {\"${kind}\", L\"${caption}\", ${offset}, ${left}, ${top}, ${width}, ${height}},")
  endforeach()
  list(SORT rows)
  list(TRANSFORM rows REPLACE "^[0-9]+" "")
  list(JOIN rows "\n" body)
  foreach(field clientWidth clientHeight caption)
    string(JSON form_${field} GET "${json}" ${field})
  endforeach()
  string(JSON font_name GET "${json}" font name)
  string(JSON font_size GET "${json}" font size)
  get_filename_component(source ${design} NAME)
  file(CONFIGURE OUTPUT ${header} CONTENT "// Made from @source@ when the build is configured.
#pragma once
namespace velmora::design {
struct ControlRow {
  const char* kind;
  const wchar_t* caption;
  int containerLeft, containerTop;  // twips, zero on the form
  int left, top, width, height;     // twips, within the container
};
constexpr int kClientWidth = @form_clientWidth@, kClientHeight = @form_clientHeight@;
constexpr wchar_t kFontName[] = L\"@font_name@\";
constexpr double kFontSize = @font_size@;
constexpr ControlRow kControls[] = {
@body@
};
}  // namespace velmora::design
" @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${design})
endfunction()
