# vantrel_embed_samples(OUTPUT SAMPLE_DIR MODE): a rule that writes the 14 announcer samples of
# SAMPLE_DIR into the C++ file OUTPUT (MODE builtin or pack, see embed_samples.cmake).
function(vantrel_embed_samples output sample_dir mode)
    file(GLOB waves ${sample_dir}/*.wav)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DSAMPLE_DIR=${sample_dir} -DOUTPUT=${output} -DMODE=${mode}
                -P ${CMAKE_SOURCE_DIR}/cmake/embed_samples.cmake
        DEPENDS ${waves} ${CMAKE_SOURCE_DIR}/cmake/embed_samples.cmake
        COMMENT "Embedding the ${mode} samples")
endfunction()
