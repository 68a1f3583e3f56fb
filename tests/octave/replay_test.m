## corvalent2_replay runs rows through the module Octave loaded, bit for bit as the
## corvalent2 replay tool does, through the output slot and through host flag 104.
function replay_test ()
  worked = dlmread (reference_file ("worked_example.csv"), ",", 1, 0);
  slot = dlmread (reference_file ("worked_example_slot.csv"), ",", 1, 0);
  flag = dlmread (reference_file ("worked_example_flag.csv"), ",", 1, 0);
  same_bits (corvalent2_replay (worked), slot);
  same_bits (corvalent2_replay (worked, "via", "flag"), flag);
  same_bits (corvalent2_replay (worked, "VIA", "Slot"), slot);
  ## Single input, and each call from a freshly loaded block: the rows hold state.
  same_bits (corvalent2_replay (single (worked)), slot);
  assert (! isequal (slot(1, :), slot(2, :)));

  rows = dlmread (reference_file ("random_rows.csv"), ",", 1, 0);
  assert (size (rows), [10000, 13]);
  same_bits (corvalent2_replay (rows), dlmread (reference_file ("random_slot.csv"), ",", 1, 0));
  same_bits (corvalent2_replay (rows, "via", "flag"),
             dlmread (reference_file ("random_flag.csv"), ",", 1, 0));

  ## Doubles are rounded to the nearest single; no rows, no outputs.
  nudged = double (single (worked));
  nudged(:, 1) += double (eps (single (nudged(:, 1)))) / 4;
  assert (! isequal (nudged, double (single (worked))));
  same_bits (corvalent2_replay (nudged), slot);
  assert (size (corvalent2_replay (zeros (0, 13))), [0, 6]);
  assert (class (corvalent2_replay (zeros (0, 13))), "single");
endfunction
