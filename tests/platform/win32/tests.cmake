# Tests of the Windows program itself, run under Wine.
