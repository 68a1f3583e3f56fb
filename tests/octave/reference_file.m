## reference_file (NAME): the file NAME among the references that the corvalent2 tool
## wrote for these tests (a test fixture), or among the replay test data.
function path = reference_file (name)
  for variable = {"CORVALENT2_OCTAVE_REFERENCES", "CORVALENT2_REPLAY_DATA"}
    path = fullfile (getenv (variable{1}), name);
    if (exist (path, "file"))
      return;
    endif
  endfor
  error ("no reference file %s", name);
endfunction
