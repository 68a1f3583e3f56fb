## memory_test (WHAT): 100 000 calls of the module from one Octave session, after a
## warm-up of 20 000, leave the resident memory flat: sizes queries ("sizes"), or
## argument errors raised through Octave's error and caught ("errors").
function memory_test (what)
  switch (what)
    case "sizes"
      repeat = @repeat_sizes;
    case "errors"
      repeat = @repeat_errors;
    otherwise
      error ("memory_test: sizes or errors");
  endswitch
  calls = 100000;
  repeat (20000);
  resident_kb ();  # its own first run loads what it uses
  before = resident_kb ();
  repeat (calls);
  growth = resident_kb () - before;
  printf ("%s: %d calls, resident memory %d kB -> %d kB\n", what, calls, before, before + growth);
  ## Any leak of the sizes vector or of an error's arguments would be megabytes.
  assert (growth <= 256, "resident memory grew by %d kB", growth);
endfunction

function repeat_sizes (count)
  for k = 1:count
    s = Corvalent2 (0, [], 0, 0);
  endfor
  assert (s(20), 8480229);
endfunction

function repeat_errors (count)
  raised = 0;
  for k = 1:count
    try
      Corvalent2 (0, [], 0, 0.5);
    catch err
      raised += strcmp (err.identifier, "Simulink:SFunctions:SimStructForthRHSArgIsNotInteger");
    end_try_catch
  endfor
  assert (raised, count);
endfunction

function kb = resident_kb ()
  status = fileread (sprintf ("/proc/%d/status", getpid ()));
  kb = str2double (regexp (status, 'VmRSS:\s*(\d+)', "tokens", "once"){1});
endfunction
