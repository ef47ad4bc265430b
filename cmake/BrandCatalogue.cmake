# The brand list lives once, in res/marcas.txt (one brand a line, UTF-8).
# The build writes from it the host's catalogue and the form scripts' list,
# so the copies cannot drift apart.
include_guard(GLOBAL)

macro(_brand_inputs)
  set(BRAND_LIST ${PROJECT_SOURCE_DIR}/res/marcas.txt)
  set(BRAND_GENERATOR ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/generate_brand_catalogue.cmake)
endmacro()

# Adds the generated catalogue (render/brand_catalogue.cpp) to `target`.
function(target_brand_catalogue target)
  _brand_inputs()
  set(output ${CMAKE_CURRENT_BINARY_DIR}/generated/render/brand_catalogue.cpp)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DKIND=cpp -DBRANDS=${BRAND_LIST} -DOUTPUT=${output}
            -P ${BRAND_GENERATOR}
    DEPENDS ${BRAND_LIST} ${BRAND_GENERATOR}
    COMMENT "Writing the brand catalogue from res/marcas.txt"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()

# Writes the script module `template` with the brand list put in place of
# its marker line; stores the path of the written module in `output_var`.
function(brand_script_module template output_var)
  _brand_inputs()
  get_filename_component(template ${template} ABSOLUTE)
  get_filename_component(name ${template} NAME)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/generated/${name})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DKIND=js -DBRANDS=${BRAND_LIST} -DTEMPLATE=${template}
            -DOUTPUT=${output} -P ${BRAND_GENERATOR}
    DEPENDS ${BRAND_LIST} ${BRAND_GENERATOR} ${template}
    COMMENT "Writing the brand list into ${name}"
    VERBATIM)
  set(${output_var} ${output} PARENT_SCOPE)
endfunction()
