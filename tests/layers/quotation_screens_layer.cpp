// The quotation screen's logic sees the quotations, their store, the sheets
// and the screen framework, never another business area.
#if !__has_include("quotation/store/quotation_store.h") ||                                                   \
                   !__has_include("techsheet/sheet_lines.h") ||                                              \
                                  !__has_include("screens/field_rule.h") ||                                  \
                                                 !__has_include("shell/access_rights.h")
#error the quotation screens layer does not see what it builds on
#endif
#if __has_include("articles/screens/article_screen.h") || __has_include("reference/reference_tables.h") ||   \
                                                                        __has_include("setup/site_setup.h")
#error the quotation screens layer sees a layer above it
#endif
