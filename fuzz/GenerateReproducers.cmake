# Reproducers of faults that need large inputs, written at configure time from these recipes
# (only when missing or changed, so a build does not rewrite megabytes each time).

# baudrill_write_reproducer(<target> <case> <content>)
function(baudrill_write_reproducer target case content)
    set(path ${generated_reproducers}/${target}/${case})
    if(EXISTS ${path})
        file(READ ${path} old)
        if(old STREQUAL content)
            return()
        endif()
    endif()
    file(WRITE ${path} "${content}")
endfunction()

# Help with 1,170 spans of every shown format left open, then 4,096 paragraphs (16 KB): a
# converter that opens every span again in every paragraph writes hundreds of megabytes.
string(REPEAT "[*/_C^ " 1170 spans)
string(REPEAT "x&" 4096 paragraphs)
baudrill_write_reproducer(help spans_over_many_paragraphs "${spans}${paragraphs}")

# 1 MB of brackets with no ';': looking for paragraph codes up to the text's end at every
# bracket takes quadratic time.
string(REPEAT "[ " 524288 brackets)
baudrill_write_reproducer(help megabyte_of_open_brackets "${brackets}")

# An attribute of 1 MB of '&' with no ';': looking for a reference's end up to the value's end
# at every '&' takes quadratic time.
string(REPEAT "&" 1048576 ampersands)
baudrill_write_reproducer(protocols megabyte_of_ampersands_in_an_attribute
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<BAUDRILL>\n\t<article name=\"amp\" desc=\"byte\" comment=\"${ampersands}\" uid=\"10DC2D3C-F0A5-4AD6-A7F2-254CA85F51D9\"/>\n</BAUDRILL>\n")
